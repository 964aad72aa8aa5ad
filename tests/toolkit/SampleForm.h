#pragma once

#include "toolkit/Form.h"
#include "ui_SampleForm.h"

#include <QStringList>
#include <functional>

// A window with one control of every kind, its layout in SampleForm.ui. Each handler writes a line
// to `log` and then runs the matching hook, so a test can make a handler raise, pause or close.
class SampleForm : public TForm, public Ui::SampleForm {
public:
    struct Options {
        std::function<void(SampleForm&)> beforeBind; // runs between the layout's load and its binding
        QString missingHandler;                      // left out of the handler table
    };
    explicit SampleForm(QWidget* owner, const Options& options);
    explicit SampleForm(QWidget* owner = nullptr) : SampleForm(owner, Options{}) {}

    QStringList log;
    std::function<void()> onCreate, onShow, onLabelClick, onButtonClick, onOkClick, onTimer, onImageClick;

private:
    THandlerTable Handlers();
    void Run(const QString& entry, const std::function<void()>& hook);
};
