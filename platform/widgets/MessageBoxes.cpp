#include "platform/widgets/MessageBoxes.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QStandardPaths>

#include <utility>

namespace MessageBoxes {

namespace {

QList<QMessageBox::StandardButton>& answers()
{
    static QList<QMessageBox::StandardButton> queue;
    return queue;
}

QList<Shown>& shown()
{
    static QList<Shown> boxes;
    return boxes;
}

QMessageBox::StandardButton firstButton(QMessageBox::StandardButtons buttons)
{
    for (int bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
        if (buttons & bit)
            return QMessageBox::StandardButton(bit);
    }
    return QMessageBox::NoButton;
}

} // namespace

QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
    const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    if (!answers().isEmpty() || QStandardPaths::isTestModeEnabled()) {
        shown().append({ icon, title, text });
        if (!answers().isEmpty())
            return answers().takeFirst();
        return defaultButton != QMessageBox::NoButton ? defaultButton : firstButton(buttons);
    }
    QMessageBox box(icon, title, text, buttons, parent);
    // A screen reader announces the box by its name: the text, not only the title.
    box.setAccessibleName(title);
    box.setAccessibleDescription(text);
    // The program carries no Qt translations: the answer buttons are named here.
    if (QAbstractButton* yes = box.button(QMessageBox::Yes))
        yes->setText(QStringLiteral("Да"));
    if (QAbstractButton* no = box.button(QMessageBox::No))
        no->setText(QStringLiteral("Нет"));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

namespace {

QString& programTitle()
{
    static QString title;
    return title;
}

} // namespace

void setTitle(const QString& title)
{
    programTitle() = title;
}

QString title()
{
    return programTitle().isEmpty() ? QCoreApplication::applicationName() : programTitle();
}

void showError(QWidget* parent, const QString& text)
{
    show(parent, QMessageBox::Critical, title(), text);
}

void answerNext(QMessageBox::StandardButton answer)
{
    answers().append(answer);
}

QList<Shown> takeShown()
{
    return std::exchange(shown(), {});
}

} // namespace MessageBoxes
