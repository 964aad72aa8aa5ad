#pragma once

#include "toolkit/Controls.h"

#include <QTextBrowser>

// The embedded browser. The pages it shows ship beside the program: Navigate takes an address
// ("host/path/page.html", with or without a scheme) and shows the page of that file name from the
// working directory. It is not awaited and its outcome is ignored: a page that cannot be shown is
// replaced by the browser's own error page, which names it. In a window that is not on screen yet
// the page is loaded right after the browser's first paint, so the window's first frame does not
// wait for it. Links in a page open in the desktop's browser.
class TWebBrowser : public TControl<QTextBrowser> {
    Q_OBJECT

public:
    explicit TWebBrowser(QWidget* parent = nullptr);

    void Navigate(const QString& address);
    QString LocationURL() const { return location_; }
    // The local file the last Navigate shows, or empty when it could not be loaded.
    QString LoadedFile() const { return loadedFile_; }

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void ShowPage();
    QString location_;
    QString pageName_;
    QString loadedFile_;
    bool pending_ = false;
};
