// The main window's side of the printed report: the report command and the
// progress bar it shows in the status bar while the report is built.
#include "app/MainU.h"
#include "app/Examination.h"
#include "ui_MainU.h"

#include "platform/widgets/MessageBoxes.h"
#include "report/ReportU.h"

#include <QProgressBar>
#include <QScopeGuard>
#include <QStyle>

#include <memory>

namespace {

constexpr int BarWidth = 150;
constexpr int BarStep = 7;

// A bar in the right of the status bar, over its single panel.
std::unique_ptr<QProgressBar> CreateReportBar(QStatusBar* statusBar)
{
    auto bar = std::make_unique<QProgressBar>(statusBar);
    bar->setObjectName(QStringLiteral("pbReport"));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    const int height = statusBar->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bar->setGeometry(statusBar->width() - BarWidth - 10, 6, BarWidth, height - 3);
    bar->show();
    return bar;
}

} // namespace

void TfrmTessora::acReportUpdate()
{
    // Also when another page became current without being entered.
    ui->acReport->setEnabled(ui->pgcMain->currentWidget() == ui->tsResult);
}

void TfrmTessora::acReportExecute()
{
    const auto shown = qScopeGuard([this] { NoteConclusionShown(); });
    try {
        if (!FExamination->report().ReportDoc.isEmpty()) {
            FExamination->report().ShowReport();
            return;
        }
        ui->sbMain->showMessage(QStringLiteral("Готовлю отчет для печати..."));
        ui->sbMain->repaint();
        const std::unique_ptr<QProgressBar> bar = CreateReportBar(ui->sbMain);
        FBuildingReport = true;
        const auto built = qScopeGuard([this] { FBuildingReport = false; });
        FExamination->buildReport([&bar] { bar->setValue(bar->value() + BarStep); });
    } catch (const ERecordRangeError& error) {
        MessageBoxes::showError(this, error.message());
    } catch (const std::exception& error) {
        MessageBoxes::showError(this, QString::fromUtf8(error.what()));
    }
}

void TfrmTessora::pgcMainChange()
{
    QWidget* shown = ui->pgcMain->currentWidget();
    if (FShownPage == ui->tsResult && shown != ui->tsResult)
        tsResultHide();
    FShownPage = shown;
}

void TfrmTessora::tsResultHide()
{
    CloseReportDocuments();
}

void TfrmTessora::CloseReportDocuments()
{
    // A word processor that fails here (gone, or refusing) is reported and the
    // window carries on: leaving the page or closing the program must not stop.
    // A conclusion whose office failed here was kept as text and told.
    const bool held = !FExamination->report().ReportDoc.isEmpty();
    KeepConclusion();
    const bool told = held && FExamination->report().ReportDoc.isEmpty();
    try {
        FExamination->report().CloseConclusionDocuments();
    } catch (const std::exception& error) {
        if (!told && !(FConclusionPending && IsSaveNeeded()))
            MessageBoxes::showError(this, QString::fromUtf8(error.what()));
    }
    KeepLostConclusion();
}
