#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

// A file of fixed-size records, reached by record number. Every operation reports its outcome in
// its result code and in nothing else, so a later open is never judged by an earlier failure.
//
// Result codes:
//   0     success
//   2     the file does not exist
//   3     a folder of the path does not exist (or a part of the path is not a folder)
//   5     access denied: a read-only file (no write permission bit, whoever the user is, root
//         included), a file the user may not write, a read-only file system, a folder or anything
//         else that is not a plain file of that name; also a write to a file that is not open
//   32    the file is busy (EBUSY, ETXTBSY)
//   100   a read got fewer bytes than a record: the end of the file came first
//   101   a write put fewer bytes than a record (a full disk or quota)
//   103   seek, read or close on a file that is not open
//   1000 + errno   any other failure of the system
//
// Reads go through a buffer of large blocks, so a file read from start to end costs one system
// call per block rather than several per record. The position the operations speak of is the
// system's file offset less the bytes read ahead and not yet handed out; a seek, a write and a
// close drop what was read ahead.
struct RecordFile {
    QString name;
    int recordSize = 0;
    int handle = -1; // the system's descriptor while open, -1 while closed
    std::unique_ptr<char[]> readAhead; // allocated at the first read, kept until the file goes
    qsizetype readAheadSize = 0;
    qsizetype readFrom = 0;  // first byte of readAhead not yet handed out
    qsizetype readUpTo = 0;  // end of the bytes read into readAhead
};

// Binds the file to a name (relative names lie in the working directory) and leaves it closed.
void AssignRecordFile(RecordFile& file, const QString& name);

// Opens the existing file for reading and writing at position 0. Write access is always asked
// for: a file that cannot be written cannot be opened at all. An open file is closed first.
qint32 OpenRecordFile(RecordFile& file, int recordSize);

// Creates the file, or empties an existing one, then opens it like OpenRecordFile. An existing
// file that cannot be written is left as it is.
qint32 CreateRecordFile(RecordFile& file, int recordSize);

// The number of whole records; a trailing partial record does not count. -1 when not open or
// the size cannot be read.
qint32 RecordCount(RecordFile& file);

// Moves to record n. A position at or beyond the end is allowed; a write there extends the file.
qint32 SeekRecord(RecordFile& file, qint32 n);

// Reads the next record. On a short read (100) the bytes read replace the start of the record
// and the rest of it keeps its former content.
qint32 ReadRecord(RecordFile& file, void* record);

qint32 WriteRecord(RecordFile& file, const void* record);

// True when the position is at or past the last whole record, and when the file is not open.
bool AtEndOfFile(RecordFile& file);

qint32 CloseRecordFile(RecordFile& file);

// The end of an open file as it stands: its size in bytes and the bytes of a trailing partial
// record. An append that fails is taken back with it, so the file is left byte for byte as it was.
struct RecordFileEnd {
    qint64 size = 0;
    QByteArray partialRecord;
};
qint32 ReadFileEnd(RecordFile& file, RecordFileEnd& end);

// Cuts the file back to the size read and writes its partial record back in place.
qint32 RestoreFileEnd(RecordFile& file, const RecordFileEnd& end);

// Writes the text's code units at the start of the field and one zero unit after them, touching
// no other unit. A text longer than width - 1 units is cut there (never inside a surrogate pair),
// so the zero unit always fits.
void CopyToFixedField(char16_t* field, int width, const QString& text);

// The field's units up to the first zero unit; all of them when the field holds no zero unit.
// Every unit comes back as stored: a leading U+FEFF or U+FFFE is text, not a byte-order mark,
// and a lone surrogate stays as it is.
QString TextFromFixedField(const char16_t* field, int width);
