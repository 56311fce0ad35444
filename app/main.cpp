#include "app/MainU.h"
#include "app/StartProbe.h"
#include "app/TessoraApplication.h"
#include "app/VersionU.h"
#include "cardio/CardioU.h"
#include "platform/automation/OleServer.h"
#include "platform/automation/WordTypeLib.h"
#include "platform/widgets/MessageBoxes.h"

#include <QScreen>

int main(int argc, char* argv[])
{
    TTessoraApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TessoraPro"));
    QApplication::setApplicationName(QStringLiteral("TessoraPro"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSORA_APP_ID));

    MessageBoxes::setTitle(ProgramTitle);
    try {
        ProgramVersion();
    } catch (const EReadError& error) {
        MessageBoxes::showError(nullptr, error.message());
        return 1;
    }

    ComplaintPhrases phrases = ComplaintPhrases::Load();
    // A damaged or oversized question file is told; the program goes on with what was read.
    QString problem;
    CardioKnowledgeBase knowledgeBase = CardioKnowledgeBase::InitCardioKnowledgeBase(&problem);
    if (!problem.isEmpty())
        MessageBoxes::showError(nullptr, problem);
    // The office bridge is loaded with its plugin when a report first asks for it.
    Automation::RegisterServerModule(
        QStringLiteral("Word.Application"), Word::CLSID_Application, QStringLiteral("tessora_word"));

    TfrmTessora frmTessora(std::move(phrases), std::move(knowledgeBase));
    if (const QScreen* screen = frmTessora.screen())
        frmTessora.move(screen->availableGeometry().center() - frmTessora.rect().center());
    InstallStartProbe(&frmTessora);
    frmTessora.show();
    frmTessora.raise();
    frmTessora.activateWindow();
    return application.exec();
}
