// The help window as a plugin: Qt Help and Qt SQL come with it.
#include "platform/help/HelpModule.h"
#include "platform/help/HelpWindow.h"

#include <QObject>

class HelpPlugin : public QObject, public IHelpModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessoraHelpModule_iid)
    Q_INTERFACES(IHelpModule)

public:
    QWidget* CreateHelpWindow(const QString& helpFile, QWidget* owner) override
    {
        return new HelpWindow(helpFile, owner);
    }
    bool ShowContext(QWidget* helpWindow, int helpContext) override
    {
        return static_cast<HelpWindow*>(helpWindow)->showContext(helpContext);
    }
    void ShowContents(QWidget* helpWindow) override { static_cast<HelpWindow*>(helpWindow)->showContents(); }
};

#include "HelpPlugin.moc"
