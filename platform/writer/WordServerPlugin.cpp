// "Word.Application" as an in-process server in a plugin: the program loads
// it, and with it the office bridge, when it first asks for the word processor.
#include "platform/automation/OleServer.h"
#include "platform/writer/WriterServer.h"

#include <QObject>

class WordServerPlugin : public QObject, public Automation::IServerModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessoraServerModule_iid)
    Q_INTERFACES(Automation::IServerModule)

public:
    Automation::ClassFactory classFactory(const QString& progId) override
    {
        if (progId.compare(QLatin1String("Word.Application"), Qt::CaseInsensitive) != 0)
            return {};
        return WriterServer::Factory();
    }
};

#include "WordServerPlugin.moc"
