#include "platform/help/HelpViewer.h"

#include "platform/files/DataFolder.h"
#include "platform/help/HelpWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QShortcut>
#include <QVariant>

namespace {

QString& chosenFile()
{
    static QString file;
    return file;
}

QString& chosenCaption()
{
    static QString caption;
    return caption;
}

QPointer<HelpWindow>& currentWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

// One help window at a time; a new one when the file or the owner changed.
HelpWindow* windowFor(QWidget* parent)
{
    QWidget* owner = parent ? parent->window() : nullptr;
    QPointer<HelpWindow>& window = currentWindow();
    if (window && (window->helpFile() != Help::helpFile() || window->parentWidget() != owner))
        delete window.data();
    if (!window)
        window = new HelpWindow(Help::helpFile(), owner);
    return window;
}

void present(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

namespace Help {

void setHelpFile(const QString& qchPath)
{
    chosenFile() = qchPath;
}

QString helpFile()
{
    return chosenFile().isEmpty() ? DataFolder::file(QStringLiteral("Help/TESSORAHELP.qch")) : chosenFile();
}

void setProgramCaption(const QString& caption)
{
    chosenCaption() = caption;
}

QString programCaption()
{
    return chosenCaption().isEmpty() ? QCoreApplication::applicationName() : chosenCaption();
}

bool showContext(int helpContext, QWidget* parent)
{
    HelpWindow* window = windowFor(parent);
    const bool shown = window->showContext(helpContext);
    present(window);
    return shown;
}

void showContents(QWidget* parent)
{
    HelpWindow* window = windowFor(parent);
    window->showContents();
    present(window);
}

int contextOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property("helpContext").toInt();
        if (context != 0)
            return context;
        if (widget->isWindow())
            break;
    }
    return 0;
}

void installF1(QWidget* window)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] {
        QWidget* focused = QApplication::focusWidget();
        const int context = contextOf(focused && window->isAncestorOf(focused) ? focused : window);
        if (context != 0)
            showContext(context, window);
        else
            showContents(window);
    });
}

QWidget* window()
{
    return currentWindow().data();
}

} // namespace Help
