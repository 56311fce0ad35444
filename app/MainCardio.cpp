// The main window's side of the cardiology interview: the page, the monitor
// window and the explanation shown at the end.
#include "app/MainU.h"
#include "app/Examination.h"
#include "ui_MainU.h"

#include "cardio/CardioPageU.h"
#include "cardio/MonitorU.h"
#include "decision/Emergency.h"
#include "platform/files/DataFolder.h"
#include "platform/rtf/RtfReader.h"

#include <QSplitterHandle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <stdexcept>
#include <utility>

namespace {

const char* const MonitorOffHint = "Поставьте флажок, если желаете наблюдать процесс постановки диагноза";
const char* const MonitorOnHint = "Снимите флажок, если не собираетесь следить за процессом диагностики";

} // namespace

void TfrmTessora::ConnectCardio()
{
    ui->acMonitor->setStatusTip(QString::fromUtf8(MonitorOffHint));
    connect(ui->acMonitor, &QAction::triggered, this, &TfrmTessora::acMonitorExecute);

    connect(ui->acRestartInterview, &QAction::triggered, this, &TfrmTessora::acRestartInterviewExecute);
    connect(ui->pgcMain, &QStackedWidget::currentChanged, this,
        [this] { ui->acRestartInterview->setVisible(ui->pgcMain->currentWidget() == ui->tsCardio); });
    connect(ui->trvMain, &QTreeWidget::itemClicked, this, &TfrmTessora::trvMainClick);
    connect(ui->trvMain, &QTreeWidget::itemActivated, this, &TfrmTessora::RestartOnCardiologistNode);
}

// The interview's page and its monitor are made when the cardiologist's page
// is first entered: most examinations never get there.
TCardioPage* TfrmTessora::CardioPage()
{
    if (FCardioPage)
        return FCardioPage;
    auto* layout = new QVBoxLayout(ui->pnlCardio);
    layout->setContentsMargins(0, 0, 0, 0);
    FCardioPage = new TCardioPage(FExamination->interview(), ui->pnlCardio);
    layout->addWidget(FCardioPage);
    FCardioPage->show();

    frmMonitor = new TfrmMonitor(this);
    frmMonitor->setObjectName(QStringLiteral("frmMonitor"));
    frmMonitor->SetToggleAction(ui->acMonitor);
    frmMonitor->hide();
    FCardioPage->SetMonitor(frmMonitor);
    FCardioPage->SetConclusionShower(
        [this](const QString& name, const QStringList& notice, const QStringList& reasons) {
            ShowCardioConclusion(name, notice, reasons);
        });
    return FCardioPage;
}

void TfrmTessora::acRestartInterviewExecute()
{
    RestartInterview();
}

// A click on the node already selected counts as selecting it again, as Enter does.
void TfrmTessora::trvMainClick(QTreeWidgetItem* item)
{
    if (std::exchange(FPressOnCurrentNode, false))
        RestartOnCardiologistNode(item);
}

// Selecting the cardiologist's node again while its page shows asks for a new interview.
void TfrmTessora::RestartOnCardiologistNode(QTreeWidgetItem* item)
{
    if (item == NodeAt(NodeIndexForTag(CardiologistTag)) && ActivePageTag() == CardiologistTag)
        RestartInterview();
}

void TfrmTessora::RestartInterview()
{
    // An interview that reached its explanation covered the tips with it.
    ui->stkWork->setCurrentWidget(ui->mmoCommon);
    SelectPageByTag(CardiologistTag);
    const QSignalBlocker blocker(ui->trvMain);
    SelectTreeNodeForTag(CardiologistTag);
}

void TfrmTessora::acMonitorExecute(bool checked)
{
    if (frmMonitor)
        frmMonitor->setVisible(checked);
    ui->acMonitor->setStatusTip(QString::fromUtf8(checked ? MonitorOnHint : MonitorOffHint));
}

// Whatever condition the interview names, an emergency answered on the way is
// read first; an explanation that reassures would contradict it and is left
// out but for its closing words on what the program is.
void TfrmTessora::PutNoticeFirst(const QString& name, const QStringList& notice)
{
    QTextDocument* text = ui->redCardio->document();
    QTextCursor cursor(text);
    cursor.movePosition(QTextCursor::NextCharacter);
    QTextCharFormat urgent = cursor.charFormat(); // the size of the explanation's title
    cursor.movePosition(QTextCursor::Start);
    if (Emergency::IsReassuringExplanation(name)) {
        const QTextCursor disclaimer = text->find(Emergency::DisclaimerStart());
        const QTextBlockFormat kept = disclaimer.isNull() ? QTextBlockFormat() : disclaimer.blockFormat();
        cursor.setPosition(disclaimer.isNull() ? text->characterCount() - 1 : disclaimer.block().position(),
            QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.setBlockFormat(kept);
    }
    urgent.setFontWeight(QFont::Bold);
    urgent.setForeground(QColor(Qt::red));
    for (const QString& line : notice) {
        cursor.insertText(line, urgent);
        cursor.insertBlock();
    }
}

void TfrmTessora::ShowCardioConclusion(
    const QString& name, const QStringList& notice, const QStringList& reasons)
{
    const QString path = DataFolder::file(QStringLiteral("cardio/%1.rtf").arg(name));
    const Rtf::ReadResult result = Rtf::readFile(path, *ui->redCardio->document());
    if (result.outcome == Rtf::Outcome::CannotOpen)
        throw std::runtime_error(result.problem.toStdString());
    if (!notice.isEmpty())
        PutNoticeFirst(name, notice);
    // Under the notice, never above it: the answers that led here; none for a
    // reassuring explanation that the notice replaced.
    if (!reasons.isEmpty() && !(!notice.isEmpty() && Emergency::IsReassuringExplanation(name))) {
        QTextCursor cursor(ui->redCardio->document());
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, int(notice.size()));
        QTextCharFormat plain;
        plain.setFontItalic(true);
        for (const QString& line : reasons) {
            cursor.insertText(line, plain);
            cursor.insertBlock();
        }
        cursor.insertBlock();
    }
    // A damaged or plain file still shows what could be read.
    ui->stkWork->setCurrentWidget(ui->redCardio);
    ui->pnlRightBot->hide();
    ui->pnlWork->handle(1)->hide();
}
