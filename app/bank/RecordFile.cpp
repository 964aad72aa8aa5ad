#include "app/bank/RecordFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint32 FileNotFound = 2;
constexpr qint32 PathNotFound = 3;
constexpr qint32 AccessDenied = 5;
constexpr qint32 SharingViolation = 32;
constexpr qint32 ShortRead = 100;
constexpr qint32 ShortWrite = 101;
constexpr qint32 NotOpen = 103;

qint32 CodeFromErrno(int error)
{
    switch (error) {
    case 0:
        return 0;
    case ENOENT:
        return FileNotFound;
    case ENOTDIR:
        return PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return AccessDenied;
    case EBUSY:
    case ETXTBSY:
        return SharingViolation;
    default:
        return 1000 + error;
    }
}

QByteArray NativeName(const QString& name)
{
    return QFile::encodeName(name);
}

// A missing file and a missing folder on the way to it are different complaints.
qint32 MissingCode(const QString& name)
{
    struct stat folder{};
    const QByteArray parent = NativeName(QFileInfo(name).path());
    if (::stat(parent.constData(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return PathNotFound;
    return FileNotFound;
}

// Whether an existing entry of that name may be opened for writing. Permission bits are looked at
// ourselves because root could otherwise write a file that every player sees as read-only.
qint32 WritableCode(const struct stat& st)
{
    if (!S_ISREG(st.st_mode))
        return AccessDenied;
    if ((st.st_mode & 0222) == 0)
        return AccessDenied;
    return 0;
}

bool IsOpen(const RecordFile& file)
{
    return file.handle >= 0;
}

// A level load then costs one system call for some three hundred records.
constexpr qsizetype ReadAheadBlock = 256 * 1024;

qsizetype Buffered(const RecordFile& file)
{
    return file.readUpTo - file.readFrom;
}

void ForgetReadAhead(RecordFile& file)
{
    file.readFrom = file.readUpTo = 0;
}

// Puts the system offset back where the caller's position is, before anything but a read.
qint32 GiveBackReadAhead(RecordFile& file)
{
    if (const qsizetype ahead = Buffered(file)) {
        if (::lseek(file.handle, -off_t(ahead), SEEK_CUR) < 0)
            return CodeFromErrno(errno);
    }
    ForgetReadAhead(file);
    return 0;
}

// Reads blocks until a whole record is buffered or the file ends; `ended` tells which. The bytes
// not yet handed out move to the front first. Returns 0 or the code of a failed read; what was
// buffered before stays buffered either way.
qint32 FillReadAhead(RecordFile& file, bool& ended)
{
    ended = false;
    // A file opened again with larger records needs room for two of them.
    if (!file.readAhead || file.readAheadSize < 2 * qsizetype(file.recordSize)) {
        file.readAheadSize = std::max<qsizetype>(ReadAheadBlock, 2 * qsizetype(file.recordSize));
        file.readAhead = std::make_unique_for_overwrite<char[]>(size_t(file.readAheadSize));
    }
    const qsizetype kept = Buffered(file);
    if (file.readFrom > 0 && kept > 0)
        std::memmove(file.readAhead.get(), file.readAhead.get() + file.readFrom, size_t(kept));
    file.readFrom = 0;
    file.readUpTo = kept;
    while (file.readUpTo < file.recordSize) {
        const ssize_t got = ::read(file.handle, file.readAhead.get() + file.readUpTo,
                                   size_t(file.readAheadSize - file.readUpTo));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return CodeFromErrno(errno);
        }
        if (got == 0) {
            ended = true;
            return 0;
        }
        file.readUpTo += got;
    }
    return 0;
}

qint32 OpenDescriptor(RecordFile& file, int recordSize, bool create)
{
    if (file.handle >= 0)
        CloseRecordFile(file);

    const QByteArray path = NativeName(file.name);
    struct stat st{};
    if (::stat(path.constData(), &st) == 0) {
        if (const qint32 code = WritableCode(st))
            return code;
    } else if (errno == ENOENT) {
        if (!create)
            return MissingCode(file.name);
    } else {
        return CodeFromErrno(errno);
    }

    const int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT | O_TRUNC : 0);
    int fd;
    do {
        fd = ::open(path.constData(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT)
            return create ? PathNotFound : MissingCode(file.name);
        return CodeFromErrno(errno);
    }

    file.handle = fd;
    file.recordSize = recordSize;
    ForgetReadAhead(file);
    return 0;
}

// Reads or writes the partial record at the end of the file until all of it has gone, since the
// system may move fewer bytes at a time. `move` is a positioned read or write, so the file's
// position and what was read ahead stay as they are.
template <typename Move>
qint32 MoveWholePartialRecord(const RecordFile& file, const RecordFileEnd& end, qint32 shortCode, Move move)
{
    const qint64 size = end.partialRecord.size();
    const qint64 start = end.size - size;
    qint64 done = 0;
    while (done < size) {
        const ssize_t moved = move(file.handle, done, size - done, off_t(start + done));
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0)
            return CodeFromErrno(errno);
        if (moved == 0)
            return shortCode;
        done += moved;
    }
    return 0;
}

} // namespace

void AssignRecordFile(RecordFile& file, const QString& name)
{
    file.name = name;
    file.handle = -1;
    ForgetReadAhead(file);
}

qint32 OpenRecordFile(RecordFile& file, int recordSize)
{
    return OpenDescriptor(file, recordSize, false);
}

qint32 CreateRecordFile(RecordFile& file, int recordSize)
{
    return OpenDescriptor(file, recordSize, true);
}

qint32 RecordCount(RecordFile& file)
{
    if (!IsOpen(file) || file.recordSize <= 0)
        return -1;
    struct stat st{};
    if (::fstat(file.handle, &st) != 0)
        return -1;
    return qint32(std::min<qint64>(qint64(st.st_size) / file.recordSize, INT_MAX));
}

qint32 SeekRecord(RecordFile& file, qint32 n)
{
    if (!IsOpen(file))
        return NotOpen;
    if (::lseek(file.handle, off_t(n) * file.recordSize, SEEK_SET) < 0)
        return CodeFromErrno(errno);
    ForgetReadAhead(file);
    return 0;
}

qint32 ReadRecord(RecordFile& file, void* record)
{
    if (!IsOpen(file))
        return NotOpen;
    if (file.recordSize <= 0)
        return 0;
    if (Buffered(file) < file.recordSize) {
        bool ended;
        if (const qint32 code = FillReadAhead(file, ended))
            return code;
    }
    // At the end of the file what is left is a partial record: it goes to the start of the
    // record, and the position stops at the end of the file.
    const qsizetype served = std::min<qsizetype>(Buffered(file), file.recordSize);
    std::memcpy(record, file.readAhead.get() + file.readFrom, size_t(served));
    file.readFrom += served;
    return served < file.recordSize ? ShortRead : 0;
}

qint32 WriteRecord(RecordFile& file, const void* record)
{
    if (!IsOpen(file))
        return AccessDenied;
    if (const qint32 code = GiveBackReadAhead(file))
        return code;
    const auto* bytes = static_cast<const char*>(record);
    qint64 done = 0;
    while (done < file.recordSize) {
        const ssize_t put = ::write(file.handle, bytes + done, size_t(file.recordSize - done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            // Part of the record is on disk already, or the disk is full: either way the record
            // did not go in whole.
            if (done > 0 || errno == ENOSPC || errno == EDQUOT)
                return ShortWrite;
            return CodeFromErrno(errno);
        }
        if (put == 0)
            return ShortWrite;
        done += put;
    }
    return 0;
}

bool AtEndOfFile(RecordFile& file)
{
    if (!IsOpen(file) || file.recordSize <= 0)
        return true;
    if (Buffered(file) >= file.recordSize)
        return false;
    bool ended;
    if (FillReadAhead(file, ended) == 0 && !ended)
        return false;
    // Either the read found the end of the file, and the system offset is now the file's size, or
    // it failed, and the size is asked for so that the next read meets the failure itself.
    const off_t offset = ::lseek(file.handle, 0, SEEK_CUR);
    if (offset < 0)
        return true;
    const qint64 position = qint64(offset) - Buffered(file);
    if (ended)
        return position / file.recordSize >= qint64(offset) / file.recordSize;
    const qint32 count = RecordCount(file);
    return count < 0 || position / file.recordSize >= count;
}

qint32 CloseRecordFile(RecordFile& file)
{
    if (!IsOpen(file))
        return NotOpen;
    const int fd = file.handle;
    file.handle = -1;
    ForgetReadAhead(file);
    // The descriptor is gone even when close reports an error, so it is never retried.
    if (::close(fd) != 0 && errno != EINTR)
        return CodeFromErrno(errno);
    return 0;
}

qint32 ReadFileEnd(RecordFile& file, RecordFileEnd& end)
{
    if (!IsOpen(file) || file.recordSize <= 0)
        return NotOpen;
    struct stat st{};
    if (::fstat(file.handle, &st) != 0)
        return CodeFromErrno(errno);
    end.size = st.st_size;
    end.partialRecord.resize(end.size % file.recordSize);
    return MoveWholePartialRecord(file, end, ShortRead, [&end](int fd, qint64 done, qint64 left, off_t at) {
        return ::pread(fd, end.partialRecord.data() + done, size_t(left), at);
    });
}

qint32 RestoreFileEnd(RecordFile& file, const RecordFileEnd& end)
{
    if (!IsOpen(file))
        return NotOpen;
    if (const qint32 code = GiveBackReadAhead(file))
        return code;
    int cut;
    do {
        cut = ::ftruncate(file.handle, off_t(end.size));
    } while (cut != 0 && errno == EINTR);
    if (cut != 0)
        return CodeFromErrno(errno);
    // Those bytes were there before, so putting them back never needs the file to grow.
    return MoveWholePartialRecord(file, end, ShortWrite, [&end](int fd, qint64 done, qint64 left, off_t at) {
        return ::pwrite(fd, end.partialRecord.constData() + done, size_t(left), at);
    });
}

void CopyToFixedField(char16_t* field, int width, const QString& text)
{
    if (width <= 0)
        return;
    qsizetype units = std::min<qsizetype>(text.size(), width - 1);
    // Cutting between the halves of a surrogate pair would leave half a character behind.
    if (units > 0 && units < text.size() && text.at(units - 1).isHighSurrogate()
        && text.at(units).isLowSurrogate())
        --units;
    std::copy_n(text.utf16(), units, field);
    field[units] = 0;
}

QString TextFromFixedField(const char16_t* field, int width)
{
    if (width <= 0)
        return QString();
    const char16_t* end = std::find(field, field + width, u'\0');
    return QString(reinterpret_cast<const QChar*>(field), end - field);
}
