#pragma once

// Ends the process once a window has been painted for the first time: the start-up figure times a
// whole process from its exec to the first frame of its window. The end is queued, so it comes
// after the paint events of that frame and after the frame has been handed to the window system.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>

class FimNoPrimeiroDesenho : public QObject {
public:
    // janela: the window to watch, asked anew at each event (it may not exist yet).
    explicit FimNoPrimeiroDesenho(std::function<QWidget*()> janela) : janela_(std::move(janela)) {}

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint && !pedido_ && objeto->isWidgetType() && objeto == janela_()) {
            pedido_ = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::fflush(nullptr);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<QWidget*()> janela_;
    bool pedido_ = false;
};
