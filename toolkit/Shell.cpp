#include "toolkit/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
std::function<void(const QString&)>& Recorder()
{
    static std::function<void(const QString&)> recorder;
    return recorder;
}
} // namespace

void SetShellOpenRecorder(std::function<void(const QString& address)> recorder)
{
    Recorder() = std::move(recorder);
}

void ShellOpen(const QString& address)
{
    if (Recorder()) {
        const auto recorder = Recorder();
        recorder(address);
        return;
    }
    QUrl url(address);
    // A bare "host/path" is a web address, as the desktop's run box would take it.
    if (url.scheme().isEmpty())
        url = QUrl(QStringLiteral("http://") + address);
    QDesktopServices::openUrl(url);
}
