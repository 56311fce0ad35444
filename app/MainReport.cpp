// The main window's side of the printed report: the report command and the
// progress bar it shows in the status bar while the report is built.
#include "app/MainU.h"
#include "ui_MainU.h"

#include "platform/widgets/MessageBoxes.h"
#include "report/ReportBuilder.h"
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
        if (!ReportDoc.isEmpty()) {
            ShowReport();
            return;
        }
        ui->sbMain->showMessage(QStringLiteral("Готовлю отчет для печати..."));
        ui->sbMain->repaint();
        const std::unique_ptr<QProgressBar> bar = CreateReportBar(ui->sbMain);
        BuildReport(Record(), [&bar] { bar->setValue(bar->value() + BarStep); });
    } catch (const ERecordRangeError& error) {
        MessageBoxes::showError(this, error.message());
    } catch (const std::exception& error) {
        MessageBoxes::showError(this, QString::fromUtf8(error.what()));
    }
}
