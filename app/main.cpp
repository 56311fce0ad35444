#include "app/MainU.h"
#include "app/TessoraApplication.h"
#include "app/VersionU.h"
#include "cardio/CardioU.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/writer/WriterServer.h"

#include <QScreen>

int main(int argc, char* argv[])
{
    TTessoraApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TessoraPro"));
    QApplication::setApplicationName(QStringLiteral("TessoraPro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app/tessora.png")));

    MessageBoxes::setTitle(ProgramTitle);
    try {
        ReadProgramVersion();
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
    WriterServer::Register();

    TfrmTessora frmTessora(std::move(phrases), std::move(knowledgeBase));
    if (const QScreen* screen = frmTessora.screen())
        frmTessora.move(screen->availableGeometry().center() - frmTessora.rect().center());
    frmTessora.show();
    frmTessora.raise();
    frmTessora.activateWindow();
    return application.exec();
}
