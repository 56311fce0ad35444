#include "app/MainU.h"
#include "app/StartProbe.h"
#include "app/TessoraApplication.h"
#include "app/VersionU.h"
#include "cardio/CardioU.h"
#include "decision/DecisionU.h"
#include "platform/automation/OleServer.h"
#include "platform/automation/WordTypeLib.h"
#include "platform/widgets/MessageBoxes.h"
#include "report/ReportU.h"

#include <QScreen>

int main(int argc, char* argv[])
{
    TTessoraApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TessoraPro"));
    QApplication::setApplicationName(QStringLiteral("TessoraPro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app/tessora.png")));

    try {
        ReadProgramVersion();
    } catch (const EReadError& error) {
        MessageBoxes::showError(nullptr, error.message());
        return 1;
    }

    LoadComplaintTexts();
    // A damaged or oversized question file is told; the program goes on with what was read.
    if (const QString problem = InitCardioKnowledgeBase(); !problem.isEmpty())
        MessageBoxes::showError(nullptr, problem);
    InitReportUnit();
    // The office bridge is loaded with its plugin when a report first asks for it.
    Automation::RegisterServerModule(
        QStringLiteral("Word.Application"), Word::CLSID_Application, QStringLiteral("tessora_word"));

    TfrmTessora frmTessora;
    if (const QScreen* screen = frmTessora.screen())
        frmTessora.move(screen->availableGeometry().center() - frmTessora.rect().center());
    frmTessora.show();
    frmTessora.raise();
    frmTessora.activateWindow();
    InstallStartProbe();
    const int result = application.exec();
    FinalizeReportUnit();
    return result;
}
