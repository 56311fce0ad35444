#pragma once

#include <QPointer>
#include <QString>

class QEvent;
class QStatusBar;
class QWidget;

// The status bar's hint in a window: that of the control under the mouse or
// focused last, or of its nearest ancestor that has one.
class StatusHints {
public:
    StatusHints(QWidget* window, QStatusBar* bar);

    // Takes the Enter, Leave, FocusIn and StatusTip events of the window's
    // widgets; true when the event is to go no further.
    bool handle(QWidget* widget, QEvent* event);
    // A hint that changes within one control, shown now.
    void show(const QString& hint);
    // Shows a control's rewritten hint at once if the status bar shows that control's hint.
    void renew(QWidget* control);
    // A number changed on leaving its field: it stays until the next hint.
    void tellAdjustment(const QString& message);
    // While held, hints are followed but not shown.
    void hold(bool held) { m_held = held; }

private:
    QString hintFor(const QWidget* widget) const;
    void follow(QWidget* widget);
    void showCurrent();

    QWidget* m_window;
    QStatusBar* m_bar;
    QString m_hint;
    QString m_adjustment;
    QPointer<QWidget> m_widget;
    bool m_held = false;
};
