#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Exception.h"
#include "toolkit/Pause.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {

QList<TForm*>& Registry()
{
    static QList<TForm*> forms;
    return forms;
}

QList<TForm*>& ModalStack()
{
    static QList<TForm*> stack;
    return stack;
}

std::function<void(TForm*)>& ModalHook()
{
    static std::function<void(TForm*)> hook;
    return hook;
}

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

Qt::WindowFlags BorderFlags(const QString& names, const QString& formName)
{
    bool systemMenu = false, minimize = false, maximize = false;
    QString list = names;
    list.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    for (const QString& raw : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        if (name == QLatin1String("biSystemMenu"))
            systemMenu = true;
        else if (name == QLatin1String("biMinimize"))
            minimize = true;
        else if (name == QLatin1String("biMaximize"))
            maximize = true;
        else if (name != QLatin1String("biHelp"))
            throw Exception(QStringLiteral("%1: unknown border icon \"%2\"").arg(formName, name));
    }
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (systemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (systemMenu && minimize)
        flags |= Qt::WindowMinimizeButtonHint;
    if (systemMenu && maximize)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

// The headless platform used by tests has no stacking of windows and says so on every raise.
void BringToFront(QWidget* window)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        window->raise();
    window->activateWindow();
}

} // namespace

void SetModalStartHook(std::function<void(TForm* form)> hook)
{
    ModalHook() = std::move(hook);
}

TForm::TForm(QWidget* AOwner) : QWidget(AOwner, Qt::Window)
{
    Registry().append(this);
}

TForm::~TForm()
{
    Registry().removeAll(this);
    ModalStack().removeAll(this);
    if (modalLoop_)
        modalLoop_->exit(mrCancel);
    if (closeRequested_)
        qApp->removeEventFilter(this);
    if (Application)
        Application->FormDestroyed(this);
}

QList<TForm*> TForm::AllForms()
{
    return Registry();
}

TForm* TForm::CurrentModalForm()
{
    return ModalStack().isEmpty() ? nullptr : ModalStack().last();
}

void TForm::BindLayout(const THandlerTable& handlers)
{
    const QString formName = objectName().isEmpty() ? QStringLiteral("(unnamed form)") : objectName();

    // Only this window's own controls: a form it owns is a window of its own, with its own layout.
    QList<QWidget*> controls = findChildren<QWidget*>();
    controls.removeIf([this](QWidget* control) { return control->window() != this; });
    for (QWidget* control : controls)
        if (auto* aware = dynamic_cast<TLayoutAware*>(control))
            aware->ApplyLayout(handlers);

    for (auto [event, target] : {std::pair{"OnCreate", &OnCreate}, std::pair{"OnShow", &OnShow}}) {
        const QString name = property(event).toString();
        if (name.isEmpty())
            continue;
        const auto found = handlers.notify.constFind(name);
        if (found == handlers.notify.constEnd())
            throw Exception(QStringLiteral("%1: the handler \"%2\" named by %3 does not exist")
                                .arg(formName, name, QString::fromLatin1(event)));
        *target = *found;
    }

    const auto layoutColor = [&](const char* name) {
        const QVariant value = property(name);
        if (!value.isValid())
            return TColor();
        const TColor color = ColorFromName(value.toString());
        if (!color.isValid())
            throw Exception(QStringLiteral("%1: unknown colour \"%2\" in %3")
                                .arg(formName, value.toString(), QString::fromLatin1(name)));
        return color;
    };
    QPalette pal = palette();
    const TColor color = layoutColor("Color");
    if (color.isValid()) {
        pal.setColor(QPalette::Window, color);
        setAutoFillBackground(true);
    }
    // The window's font colour is every control's unless the control has its own.
    const TColor fontColor = layoutColor("FontColor");
    if (fontColor.isValid())
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                pal.setColor(group, role, fontColor);
    setPalette(pal);

    const QVariant icons = property("BorderIcons");
    setWindowFlags(BorderFlags(icons.isValid() ? icons.toString() : QStringLiteral("biSystemMenu,biMinimize"), formName));
    // A single border: the client area is the layout's, and the user cannot resize it.
    setFixedSize(size());

    // Windowed controls always stand above pictures and labels; among themselves, and among the
    // pictures and labels, the layout's order is kept.
    QList<QWidget*> parents{this};
    parents += controls;
    for (QWidget* parent : parents) {
        const QObjectList children = parent->children(); // raise() reorders the live list
        for (QObject* child : children) {
            auto* aware = dynamic_cast<TLayoutAware*>(child);
            if (aware && aware->IsWindowed())
                static_cast<QWidget*>(child)->raise();
        }
    }

    Fire(OnCreate, this);
}

void TForm::CentreOnScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TForm::RunShowEvent()
{
    showPending_ = true;
    QPointer<TForm> self(this);
    Fire(OnShow, this);
    if (self)
        showPending_ = false;
}

void TForm::RevealForPause()
{
    if (showPending_ && !isVisible()) {
        CentreOnScreen();
        show();
        BringToFront(this);
    }
}

void TForm::Show()
{
    if (isVisible()) {
        BringToFront(this);
        return;
    }
    closeRequested_ = false;
    QPointer<TForm> self(this);
    RunShowEvent();
    if (!self)
        return;
    if (closeRequested_) {
        closeRequested_ = false;
        hide();
        return;
    }
    if (!isVisible()) {
        CentreOnScreen();
        show();
    }
    BringToFront(this);
}

int TForm::ShowModal()
{
    if (modalLoop_ || isVisible())
        throw Exception(QStringLiteral("Cannot make a visible window modal"));
    QPointer<TForm> self(this);
    closeRequested_ = false;
    modalResult_ = mrNone;
    // Every other window stops taking input before the show event runs.
    setWindowModality(Qt::ApplicationModal);
    ModalStack().append(this);
    RunShowEvent();
    if (!self)
        return mrCancel;
    if (!isVisible()) {
        CentreOnScreen();
        show();
    }
    BringToFront(this);

    if (!closeRequested_) {
        QEventLoop loop;
        modalLoop_ = &loop;
        if (ModalHook()) {
            QTimer::singleShot(0, &loop, [self] {
                if (self && self->modalLoop_ && ModalHook()) {
                    const auto hook = ModalHook();
                    RunGuarded([&] { hook(self.data()); });
                }
            });
        }
        loop.exec(QEventLoop::DialogExec);
        if (!self)
            return mrCancel;
        modalLoop_ = nullptr;
    }
    ModalStack().removeAll(this);
    if (closeRequested_)
        qApp->removeEventFilter(this);
    closeRequested_ = false;
    hide();
    setWindowModality(Qt::NonModal);
    return modalResult_ == mrNone ? int(mrCancel) : modalResult_;
}

void TForm::Close()
{
    if (Application && Application->MainForm() == this) {
        hide();
        Application->Terminate();
        return;
    }
    const bool modal = modalLoop_ || (showPending_ && ModalStack().contains(this));
    if (modal) {
        // The handler that asked goes on to its end; then the modal run ends and the window hides.
        if (!closeRequested_) {
            closeRequested_ = true;
            if (modalResult_ == mrNone)
                modalResult_ = mrCancel;
            qApp->installEventFilter(this);
            if (modalLoop_)
                modalLoop_->exit(modalResult_);
        }
        return;
    }
    if (showPending_) {
        closeRequested_ = true;
        return;
    }
    hide();
}

void TForm::closeEvent(QCloseEvent* event)
{
    // The window hides itself (or ends its modal run, or the program) through Close. A close box
    // clicked while a pause lets the window system paint is not the player's input yet: it is
    // dropped, as nothing the player does reaches a window during a pause.
    event->ignore();
    if (PauseInProgress())
        return;
    RunGuarded([this] { Close(); });
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (enter && modifiers == Qt::NoModifier) {
        for (TBitBtn* button : findChildren<TBitBtn*>()) {
            if (button->IsDefaultButton() && button->isVisibleTo(this) && button->isEnabled()
                && button->window() == this) {
                event->accept();
                button->Click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    if (closeRequested_ && IsInput(event->type()) && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this)
        return true;
    return QWidget::eventFilter(watched, event);
}
