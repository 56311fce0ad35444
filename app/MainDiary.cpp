// The main window's examination diary: each saved conclusion is kept in it,
// and the menu "Сервис" opens its window and the entry of home pressure.
#include "app/MainU.h"
#include "app/Examination.h"
#include "ui_MainU.h"

#include "app/DiaryModule.h"
#include "app/Settings.h"
#include "platform/widgets/MessageBoxes.h"

void TfrmTessora::ConnectDiary()
{
    connect(ui->acDiary, &QAction::triggered, this, &TfrmTessora::acDiaryExecute);
    connect(ui->acPressureReading, &QAction::triggered, this, &TfrmTessora::acPressureReadingExecute);
    connect(this, &TfrmTessora::ConclusionSaved, this, &TfrmTessora::KeepInDiary);
}

void TfrmTessora::acDiaryExecute()
{
    // A second opening shows the diary as it is now.
    if (FDiary)
        FDiary->close();
    QString problem;
    IDiaryModule* diary = DiaryModule(&problem);
    if (!diary) {
        MessageBoxes::showError(this, problem);
        return;
    }
    FDiary = diary->CreateDiaryWindow(IsSaveNeeded(), StoredReportPath(), this);
    FDiary->setAttribute(Qt::WA_DeleteOnClose);
    FDiary->show();
}

void TfrmTessora::acPressureReadingExecute()
{
    QString problem;
    IDiaryModule* diary = DiaryModule(&problem);
    if (!diary) {
        MessageBoxes::showError(this, problem);
        return;
    }
    QWidget* dialog = diary->CreatePressureDialog(Record().name, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void TfrmTessora::KeepInDiary(const QString& file)
{
    // A conclusion saved anywhere while the option is on is kept, with where it went.
    if (!FExamination->hasConclusion())
        FExamination->conclude(QDateTime::currentDateTime());
    QString problem;
    if (IDiaryModule* diary = DiaryModule(&problem))
        problem = diary->KeepExamination(
            Record(), FExamination->conclusion(), FExamination->id(), file, IsSaveNeeded());
    if (!problem.isEmpty())
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(), problem);
}
