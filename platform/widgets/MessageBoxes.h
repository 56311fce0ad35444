#pragma once

#include <QMessageBox>
#include <QString>

// Every message box of the program goes through here, so that tests can give
// the answer in advance and no modal box ever waits for a click in a test.
namespace MessageBoxes {

struct Shown {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};

// Shows a modal box and returns the button pressed. With an answer queued by
// answerNext() (or in test mode without one) nothing is shown: the box is
// recorded and the queued answer (or the default button) is returned at once.
QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
    const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The program's title, which captions its message boxes; the application's
// name until the program sets it. Kept here rather than as the application's
// display name: on X11 and Wayland Qt appends that name to every window title.
void setTitle(const QString& title);
QString title();

// An error box with the program's title, as for an unhandled failure.
void showError(QWidget* parent, const QString& text);

// For tests: queue the answer of the next box, and read the boxes shown.
void answerNext(QMessageBox::StandardButton answer);
QList<Shown> takeShown();

} // namespace MessageBoxes
