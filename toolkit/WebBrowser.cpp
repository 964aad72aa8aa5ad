#include "toolkit/WebBrowser.h"

#include "toolkit/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

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
    loadedFile_.clear();
    // Only the page's file name counts: the pages ship in the working directory, whatever host
    // the address names, and nothing is fetched from the network.
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
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QFileInfo page(QDir::current(), name);
    if (name.isEmpty() || !page.isFile() || !page.isReadable()) {
        setSource(QUrl());
        clear();
        return;
    }
    loadedFile_ = page.absoluteFilePath();
    setSource(QUrl::fromLocalFile(loadedFile_));
}
