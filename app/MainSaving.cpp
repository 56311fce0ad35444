// The main window's saving of conclusion documents: the option "Сохранять
// заключения", the report folder, and the handlers of the word processor's
// events that save a closing conclusion there.
#include "app/MainU.h"
#include "ui_MainU.h"

#include "app/ConclusionFiles.h"
#include "app/SelectPathU.h"
#include "app/Settings.h"
#include "platform/files/DataFolder.h"
#include "platform/widgets/MessageBoxes.h"
#include "report/ReportU.h"

#include <QDir>

using Automation::Variant;

namespace {

// What a folder value reads as where none was ever assigned.
const QString UnassignedValue = QStringLiteral("(значение не присвоено)");
constexpr int wdDocumentsPath = 0;

// The window whose handlers the word processor's events call.
TfrmTessora* SavingWindow = nullptr;

} // namespace

void TfrmTessora::ConnectSaving()
{
    connect(ui->acSaveResults, &QAction::triggered, this, &TfrmTessora::acSaveResultsExecute);
    connect(ui->acSaveResults, &QAction::toggled, this, &TfrmTessora::acSaveResultsUpdate);
    // A new examination reads the option back from the settings: keep them in
    // step, so that it does not undo what the user chose since the start.
    connect(ui->acSaveResults, &QAction::toggled, this, [this] { StoreSaveNeeded(true); });
    SavingWindow = this;
    SetConclusionSavingHandlers([this] { SaveConclusionIfNeeded(); },
        [this](const Variant&, bool*, bool*) { SetWordOpenDirectory(); });
}

void TfrmTessora::DisconnectSaving()
{
    // A window made later has put in its own handlers already.
    if (SavingWindow != this)
        return;
    SavingWindow = nullptr;
    SetConclusionSavingHandlers({}, {});
}

void TfrmTessora::acSaveResultsExecute(bool checked)
{
    ChooseReportFolder(checked);
}

void TfrmTessora::acSaveResultsUpdate()
{
    ui->acSaveResults->setStatusTip(IsSaveNeeded()
            ? QStringLiteral("Снимите флажок, если не планируете сохранять заключения Тессоры")
            : QStringLiteral("Поставьте флажок, если желаете сохранять заключения Тессоры"));
}

bool TfrmTessora::AskReportFolder(const QString& preselected, QString& folder)
{
    TfrmPath frmPath(this);
    frmPath.SetInitialPath(preselected);
    if (frmPath.exec() != QDialog::Accepted)
        return false;
    folder = frmPath.SelectedPath;
    UserSettings::SetReportPath(folder);
    return true;
}

void TfrmTessora::ChooseReportFolder(bool Checked)
{
    if (!Checked || !UserSettings::IsAvailable())
        return;
    const QString stored = UserSettings::ReportPath();
    QString folder;
    if (!AskReportFolder(stored == UnassignedValue ? QString() : stored, folder))
        ui->acSaveResults->setChecked(false);
}

bool TfrmTessora::IsSaveNeeded() const
{
    return ui->acSaveResults->isChecked();
}

QString TfrmTessora::GetReportPath()
{
    if (!IsSaveNeeded())
        return {};
    QString folder = UserSettings::ReportPath();
    if (!folder.isEmpty() || AskReportFolder(QString(), folder))
        return folder;
    ui->acSaveResults->setChecked(false);
    return GetFallbackFolder();
}

QString TfrmTessora::GetFallbackFolder() const
{
    if (ReportDoc.isEmpty())
        return DataFolder::path();
    return WordApp.get(QStringLiteral("Options"))
        .call(QStringLiteral("DefaultFilePath"), wdDocumentsPath)
        .toString();
}

void TfrmTessora::SaveConclusionAs(const QString& folder)
{
    const QString file = ConclusionFiles::FreeFileName(folder, ConclusionFileName());
    try {
        ReportDoc.call(QStringLiteral("SaveAs"), file);
    } catch (const std::exception& error) {
        MessageBoxes::showError(this,
            QStringLiteral("Не могу сохранить заключение в файл %1\n%2")
                .arg(QDir::toNativeSeparators(file), QString::fromUtf8(error.what())));
        return;
    }
    emit ConclusionSaved(file);
}

bool TfrmTessora::IsInReportFolder(const QString& folder) const
{
    const QString path = ReportDoc.get(QStringLiteral("Path")).toString();
    return ConclusionFiles::SameFolder(path, folder);
}

void TfrmTessora::SaveConclusionIfNeeded()
{
    if (ReportDoc.isEmpty())
        return;
    // The document closes whatever happens here; a conclusion that could not
    // be kept is told, not silently lost.
    try {
        if (IsSaveNeeded()) {
            // Asked once: a cancelled question still saves this conclusion,
            // into the fallback folder.
            const QString folder = GetReportPath();
            if (!(ReportDoc.get(QStringLiteral("Saved")).toBool() && IsInReportFolder(folder)))
                SaveConclusionAs(folder);
        }
    } catch (const std::exception& error) {
        MessageBoxes::showError(
            this, QStringLiteral("Не могу сохранить заключение\n%1").arg(QString::fromUtf8(error.what())));
    }
    ReportDoc.clear();
}

void TfrmTessora::SetWordOpenDirectory()
{
    if (!IsSaveNeeded())
        return;
    // Only a convenience for the user's own save dialog: a folder that has
    // gone leaves the dialog where it was, and the save goes on.
    try {
        WordApp.call(QStringLiteral("ChangeFileOpenDirectory"), GetReportPath());
    } catch (const std::exception&) {
    }
}

void TfrmTessora::StoreSaveNeeded(bool Store)
{
    if (Store) {
        UserSettings::SetSaveNeeded(IsSaveNeeded());
        return;
    }
    ui->acSaveResults->setChecked(UserSettings::SaveNeeded());
    acSaveResultsUpdate();
}
