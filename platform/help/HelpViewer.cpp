#include "platform/help/HelpViewer.h"

#include "platform/files/DataFolder.h"
#include "platform/files/Plugins.h"
#include "platform/help/HelpModule.h"
#include "platform/widgets/MessageBoxes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QShortcut>
#include <QVariant>

namespace {

QString& chosenFile()
{
    // Process-wide, as help is: the program names its help file once at start.
    static QString file;
    return file;
}

QString& chosenCaption()
{
    // Process-wide with the file: every window's F1 shows help under this caption.
    static QString caption;
    return caption;
}

// The help window shown last, and the file it shows.
struct ShownHelp {
    QPointer<QWidget> window;
    QString file;
};

ShownHelp& shown()
{
    // One help window for the whole program, whichever window asked.
    static ShownHelp help;
    return help;
}

// The plugin with the help window, loaded on the first call; nullptr, and the
// user told why, when it cannot be.
IHelpModule* helpModule(QWidget* parent)
{
    // A plugin is loaded once per process.
    static IHelpModule* module = nullptr;
    if (!module) {
        QString problem;
        module = LoadPlugin<IHelpModule>(QStringLiteral("tessora_help"), &problem);
        if (!module)
            MessageBoxes::showError(parent, QStringLiteral("Справка недоступна: не удалось загрузить модуль %1").arg(problem));
    }
    return module;
}

// One help window at a time; a new one when the file or the owner changed.
QWidget* windowFor(IHelpModule* module, QWidget* parent)
{
    QWidget* owner = parent ? parent->window() : nullptr;
    const QString file = Help::helpFile();
    ShownHelp& help = shown();
    if (help.window && (help.file != file || help.window->parentWidget() != owner))
        delete help.window.data();
    if (!help.window) {
        help.file = file;
        help.window = module->CreateHelpWindow(file, owner);
    }
    return help.window;
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
    IHelpModule* module = helpModule(parent);
    if (!module)
        return false;
    QWidget* window = windowFor(module, parent);
    const bool found = module->ShowContext(window, helpContext);
    present(window);
    return found;
}

void showContents(QWidget* parent)
{
    IHelpModule* module = helpModule(parent);
    if (!module)
        return;
    QWidget* window = windowFor(module, parent);
    module->ShowContents(window);
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
    return shown().window.data();
}

} // namespace Help
