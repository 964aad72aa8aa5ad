#include "toolkit/WebBrowser.h"

#include "toolkit/Shell.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QUrl>

namespace {

// Only the page's file name counts: the pages ship in the working directory, whatever host the
// address names, and nothing is fetched from the network.
QString PageName(const QString& address)
{
    QString path = address;
    const qsizetype scheme = path.indexOf(QStringLiteral("://"));
    if (scheme >= 0)
        path = path.mid(scheme + 3);
    for (const QChar cut : {QLatin1Char('?'), QLatin1Char('#')}) {
        const qsizetype at = path.indexOf(cut);
        if (at >= 0)
            path.truncate(at);
    }
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The address is shown as text: whatever it holds, it is never read as markup.
QString ErrorPage(const QString& page)
{
    return QStringLiteral("<html><body><h3>P\u00e1gina indispon\u00edvel</h3>"
                          "<p>N\u00e3o foi poss\u00edvel exibir a p\u00e1gina %1.</p>"
                          "<p>O arquivo n\u00e3o foi encontrado ou n\u00e3o pode ser lido.</p></body></html>")
        .arg(page.toHtmlEscaped());
}

} // namespace

TWebBrowser::TWebBrowser(QWidget* parent) : TControl<QTextBrowser>(parent)
{
    // Pages never navigate inside the control: every link goes to the desktop's browser.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    QObject::connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl target = link.isRelative() && source().isValid() ? source().resolved(link) : link;
        RunGuarded([&] { ShellOpen(target.toString()); });
    });
}

void TWebBrowser::Navigate(const QString& address)
{
    location_ = address;
    const QString name = PageName(address);
    const QFileInfo page(QDir::current(), name);
    // What cannot be shown is known now; reading and laying out the page can wait.
    loadedFile_ = !name.isEmpty() && page.isFile() && page.isReadable() ? page.absoluteFilePath() : QString();
    pageName_ = name.isEmpty() ? address : name;
    pending_ = true;
    if (window()->isVisible())
        ShowPage();
}

void TWebBrowser::ShowPage()
{
    if (!pending_)
        return;
    pending_ = false;
    // The page may have gone between the navigation and now.
    const QFileInfo page(loadedFile_);
    if (!loadedFile_.isEmpty() && page.isFile() && page.isReadable()) {
        setSource(QUrl::fromLocalFile(loadedFile_));
        return;
    }
    loadedFile_.clear();
    setSource(QUrl());
    if (location_.isEmpty())
        clear();
    else
        setHtml(ErrorPage(pageName_));
}

bool TWebBrowser::viewportEvent(QEvent* event)
{
    const bool handled = TControl<QTextBrowser>::viewportEvent(event);
    if (event->type() == QEvent::Paint && pending_)
        QMetaObject::invokeMethod(this, &TWebBrowser::ShowPage, Qt::QueuedConnection);
    return handled;
}
