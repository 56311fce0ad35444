// The main window's examination diary: each saved conclusion is kept in it,
// and the menu "Сервис" opens its window.
#include "app/MainU.h"
#include "app/Examination.h"
#include "ui_MainU.h"

#include "app/DiaryModule.h"
#include "app/Settings.h"
#include "platform/widgets/MessageBoxes.h"

#include <QFileInfo>

void TfrmTessora::ConnectDiary()
{
    connect(ui->acDiary, &QAction::triggered, this, &TfrmTessora::acDiaryExecute);
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

void TfrmTessora::KeepInDiary(const QString& file)
{
    // The diary lies beside the conclusions it lists; a conclusion saved into
    // the fallback folder has the option switched off and is not kept.
    if (!FExamination->hasConclusion())
        FExamination->conclude(QDateTime::currentDateTime());
    QString problem;
    if (IDiaryModule* diary = DiaryModule(&problem))
        problem = diary->KeepExamination(
            Record(), FExamination->conclusion(), file, QFileInfo(file).absolutePath(), IsSaveNeeded());
    if (!problem.isEmpty())
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(), problem);
}
