#include "toolkit/MessageDialog.h"

#include "toolkit/Controls.h"
#include "toolkit/Events.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

std::function<void(TMessageDialog&)>& DialogHook()
{
    static std::function<void(TMessageDialog&)> hook;
    return hook;
}

QStyle::StandardPixmap IconPixmap(TMsgIcon icon)
{
    switch (icon) {
    case TMsgIcon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case TMsgIcon::Information:
        return QStyle::SP_MessageBoxInformation;
    case TMsgIcon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case TMsgIcon::Error:
        return QStyle::SP_MessageBoxCritical;
    case TMsgIcon::None:
        break;
    }
    return QStyle::SP_CustomBase;
}

QString KeyText(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    case Qt::Key_Space:
        return QStringLiteral(" ");
    default:
        // Letters and digits type themselves, lower case as an unshifted key does.
        if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
            return QString(QChar(qtKey)).toLower();
        return QString();
    }
}

} // namespace

void SetMessageDialogHook(std::function<void(TMessageDialog& dialog)> hook)
{
    DialogHook() = std::move(hook);
}

TMessageDialog::TMessageDialog(const TMsgDialogSetup& setup) : QDialog(nullptr), setup_(setup)
{
    setWindowTitle(setup.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    if (setup.icon != TMsgIcon::None) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("icon"));
        const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(style()->standardIcon(IconPixmap(setup.icon), nullptr, this).pixmap(extent, extent));
        icon->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        body->addWidget(icon, 0, Qt::AlignTop);
    }

    // The text wraps at half the screen's width and the dialog grows downwards to hold it. A word
    // longer than that widens the dialog, up to the screen's width; one longer still is broken
    // where the line ends.
    auto* text = new TLabel(this);
    text->setObjectName(QStringLiteral("text"));
    text->setWordWrap(true);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 800;
    const int iconWidth = setup.icon == TMsgIcon::None ? 0 : style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this) + body->spacing();
    const int widest = std::max(1, screenWidth - iconWidth - 2 * 16 - 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    const QFontMetrics metrics = text->fontMetrics();
    int textWidth = 0;
    int wordWidth = 0;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& line : setup.text.split(lineBreak)) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
        for (const QString& word : line.split(blanks, Qt::SkipEmptyParts))
            wordWidth = std::max(wordWidth, metrics.horizontalAdvance(word));
    }
    textWidth = std::min(std::max(std::min(textWidth, screenWidth / 2), wordWidth), widest);
    text->resize(textWidth, 1);
    text->SetCaption(setup.text);
    text->setFixedSize(text->size());
    body->addWidget(text, 0, Qt::AlignVCenter);
    body->addStretch();

    auto* row = new QHBoxLayout;
    row->addStretch();
    int buttonWidth = 75;
    for (int i = 0; i < setup.buttons.size(); ++i) {
        auto* button = new QPushButton(setup.buttons[i].caption, this);
        button->setObjectName(QStringLiteral("button%1").arg(i));
        button->setAutoDefault(true);
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
        const int result = setup.buttons[i].result;
        QObject::connect(button, &QPushButton::clicked, this, [this, result] {
            closingWithResult_ = true;
            done(result);
        });
        buttons_.append(button);
        row->addWidget(button);
    }
    for (QPushButton* button : buttons_)
        button->setFixedWidth(buttonWidth);
    row->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addLayout(body);
    layout->addLayout(row);

    if (setup.defaultButton >= 0 && setup.defaultButton < buttons_.size()) {
        buttons_[setup.defaultButton]->setDefault(true);
        buttons_[setup.defaultButton]->setFocus(Qt::OtherFocusReason);
    }
}

void TMessageDialog::PressButton(int index)
{
    buttons_.at(index)->click();
}

void TMessageDialog::PressKey(int qtKey)
{
    QWidget* target = focusWidget() ? focusWidget() : this;
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, KeyText(qtKey));
    QApplication::sendEvent(target, &press);
    if (!isVisible())
        return;
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, KeyText(qtKey));
    QApplication::sendEvent(target, &release);
}

void TMessageDialog::CloseBox()
{
    close();
}

void TMessageDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closingWithResult_ = true;
        done(setup_.escapeResult);
        return;
    }
    if (event->key() == Qt::Key_F1) {
        event->accept(); // no help file is installed
        return;
    }
    // In a message box the underlined letter alone presses its button, as the classic box does.
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !event->text().isEmpty()) {
        const QString letter = event->text().left(1).toCaseFolded();
        for (int i = 0; i < buttons_.size(); ++i) {
            const QString& caption = setup_.buttons[i].caption;
            const qsizetype amp = caption.indexOf(QLatin1Char('&'));
            if (amp >= 0 && amp + 1 < caption.size() && caption.mid(amp + 1, 1).toCaseFolded() == letter) {
                PressButton(i);
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void TMessageDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (closingWithResult_)
        return;
    closingWithResult_ = true;
    done(setup_.closeResult);
}

int RunMessageDialog(const TMsgDialogSetup& setup)
{
    TMessageDialog dialog(setup);
    dialog.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
    if (DialogHook()) {
        QPointer<TMessageDialog> open(&dialog);
        QTimer::singleShot(0, &dialog, [open] {
            if (!open || !open->isVisible() || !DialogHook())
                return;
            const auto hook = DialogHook();
            RunGuarded([&] { hook(*open); });
        });
    }
    return dialog.exec();
}
