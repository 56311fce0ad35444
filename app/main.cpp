#include "CardioU.h"
#include "DecisionU.h"
#include "MainU.h"
#include "MessageBoxes.h"
#include "ReportU.h"
#include "TessoraApplication.h"
#include "VersionU.h"
#include "WriterServer.h"

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
    InitCardioKnowledgeBase();
    InitReportUnit();
    WriterServer::Register();

    TfrmTessora frmTessora;
    if (const QScreen* screen = frmTessora.screen())
        frmTessora.move(screen->availableGeometry().center() - frmTessora.rect().center());
    frmTessora.show();
    frmTessora.raise();
    frmTessora.activateWindow();
    const int result = application.exec();
    FinalizeReportUnit();
    return result;
}
