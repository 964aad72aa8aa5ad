#pragma once

#include "toolkit/Controls.h"

#include <QTextBrowser>

// The embedded browser. The pages it shows ship beside the program: Navigate takes an address
// ("host/path/page.html", with or without a scheme) and shows the page of that file name from the
// working directory. It is not awaited and its outcome is ignored: an address it cannot load leaves
// it blank. Links in a page open in the desktop's browser.
class TWebBrowser : public TControl<QTextBrowser> {
    Q_OBJECT

public:
    explicit TWebBrowser(QWidget* parent = nullptr);

    void Navigate(const QString& address);
    QString LocationURL() const { return location_; }
    // The local file the last Navigate showed, or empty when nothing could be loaded.
    QString LoadedFile() const { return loadedFile_; }

private:
    QString location_;
    QString loadedFile_;
};
