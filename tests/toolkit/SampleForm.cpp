#include "SampleForm.h"

SampleForm::SampleForm(QWidget* owner, const Options& options) : TForm(owner)
{
    setupUi(this);
    if (options.beforeBind)
        options.beforeBind(*this);
    THandlerTable table = Handlers();
    table.notify.remove(options.missingHandler);
    table.mouseMove.remove(options.missingHandler);
    BindLayout(table);
}

void SampleForm::Run(const QString& entry, const std::function<void()>& hook)
{
    log.append(entry);
    if (hook)
        hook();
}

THandlerTable SampleForm::Handlers()
{
    THandlerTable table;
    const auto add = [&](const char* name, std::function<void()> SampleForm::*hook) {
        table.notify.insert(QString::fromLatin1(name), [this, name, hook](TObject* sender) {
            Run(QStringLiteral("%1 %2").arg(QString::fromLatin1(name), sender ? sender->objectName() : QString()), this->*hook);
        });
    };
    add("FormCreate", &SampleForm::onCreate);
    add("FormShow", &SampleForm::onShow);
    add("LabelClick", &SampleForm::onLabelClick);
    add("ImageClick", &SampleForm::onImageClick);
    add("ButtonClick", &SampleForm::onButtonClick);
    add("OkClick", &SampleForm::onOkClick);
    add("TimerTick", &SampleForm::onTimer);
    table.notify.insert(QStringLiteral("EditClick"), [this](TObject*) { Run(QStringLiteral("EditClick Edit1"), {}); });
    table.notify.insert(QStringLiteral("LabelLeave"), [this](TObject* sender) {
        Run(QStringLiteral("LabelLeave %1").arg(sender->objectName()), {});
    });
    table.mouseMove.insert(QStringLiteral("LabelMouseMove"), [this](TObject* sender, TShiftState, int x, int y) {
        Run(QStringLiteral("LabelMouseMove %1 %2,%3").arg(sender->objectName()).arg(x).arg(y), {});
    });
    return table;
}
