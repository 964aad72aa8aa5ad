#include "toolkit/SingleInstance.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Lock names may hold any character; the file name keeps letters, digits, "-" and "_" and spells
// every other byte as "%hh", so two different names never share a file.
QString FileNameFor(const QString& name)
{
    QString file;
    for (const char byte : name.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
            file += QLatin1Char(char(c));
        else
            file += QStringLiteral("%%1").arg(c, 2, 16, QLatin1Char('0'));
    }
    return file + QStringLiteral(".lock");
}

QString LockFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        return QString::fromLocal8Bit(runtime);
    const QString folder = QDir::tempPath() + QStringLiteral("/instance-locks-%1").arg(getuid());
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    // Someone else's folder of that name must not decide whether we run.
    struct stat info {};
    if (lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return QString();
    return folder;
}

} // namespace

bool AcquireInstanceLock(const QString& name)
{
    const QString folder = LockFolder();
    if (folder.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + FileNameFor(name));
    const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    // The descriptor stays open for the life of the process: the lock is held until the kernel
    // releases it at the end.
    return true;
}
