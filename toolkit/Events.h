#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

using TObject = QObject;

// The keyboard and mouse-button state passed to mouse handlers.
using TShiftState = Qt::KeyboardModifiers;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// What a form publishes: its handlers by name. The stored layout names a handler for each event
// (for instance the dynamic property OnClick = "BtnJogarClick" on a control); the form binds the two
// when it is created, and a name missing from the table is an error at creation.
struct THandlerTable {
    QHash<QString, TNotifyEvent> notify;
    QHash<QString, TMouseMoveEvent> mouseMove;
};

// Binds a method of a form to a handler-table entry.
template <class Form>
TNotifyEvent Handler(Form* form, void (Form::*method)(TObject*))
{
    return [form, method](TObject* sender) { (form->*method)(sender); };
}

template <class Form>
TMouseMoveEvent MouseMoveHandler(Form* form, void (Form::*method)(TObject*, TShiftState, int, int))
{
    return [form, method](TObject* sender, TShiftState shift, int x, int y) { (form->*method)(sender, shift, x, y); };
}

// The one error boundary: runs an event handler, and shows an escaping Exception (or any other
// std::exception) in the application's error box. Nothing escapes into Qt.
void RunGuarded(const std::function<void()>& handler);

// Dispatches a bound event through the guard; an unbound event does nothing.
void Fire(const TNotifyEvent& event, TObject* sender);
