#include "app/StatusHints.h"

#include <QFocusEvent>
#include <QStatusBar>
#include <QWidget>

#include <utility>

StatusHints::StatusHints(QWidget* window, QStatusBar* bar)
    : m_window(window)
    , m_bar(bar)
{
}

bool StatusHints::handle(QWidget* widget, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        // The window coming back from a box over it (the office's busy
        // box) keeps the status bar's message.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
            break;
        [[fallthrough]];
    case QEvent::Enter:
        follow(widget);
        break;
    case QEvent::Leave:
        follow(widget->parentWidget());
        break;
    case QEvent::StatusTip:
        // A control with a hint sends it itself on Enter and Leave; Enter and
        // Leave above show it instead, falling back to the nearest ancestor's
        // hint. Tips of menu items come through the menu bar and pass on.
        return !widget->statusTip().isEmpty();
    default:
        break;
    }
    return false;
}

void StatusHints::show(const QString& hint)
{
    m_hint = hint;
    showCurrent();
}

void StatusHints::renew(QWidget* control)
{
    if (control == m_widget || control->hasFocus())
        follow(control);
}

void StatusHints::tellAdjustment(const QString& message)
{
    m_adjustment = message;
    m_bar->showMessage(message);
}

QString StatusHints::hintFor(const QWidget* widget) const
{
    for (; widget; widget = widget->parentWidget()) {
        if (!widget->statusTip().isEmpty())
            return widget->statusTip();
        if (widget == m_window)
            break;
    }
    return {};
}

void StatusHints::follow(QWidget* widget)
{
    m_widget = widget;
    show(hintFor(widget));
}

void StatusHints::showCurrent()
{
    // The report's progress stays in view while the window answers the person.
    if (m_held)
        return;
    // A number changed on leaving its field outlasts the hint of the field
    // that takes the focus, so that the user sees what was written.
    m_bar->showMessage(m_adjustment.isEmpty() ? m_hint : std::exchange(m_adjustment, {}));
}
