// The main window's saving of conclusion documents: the option "Сохранять
// заключения", the report folder, and the handlers of the word processor's
// events that save a closing conclusion there.
#include "app/MainU.h"
#include "app/Examination.h"
#include "ui_MainU.h"

#include "app/ConclusionFiles.h"
#include "app/SelectPathU.h"
#include "app/Settings.h"
#include "platform/files/DataFolder.h"
#include "platform/files/PrivateFile.h"
#include "platform/files/WriteFailure.h"
#include "platform/widgets/MessageBoxes.h"
#include "report/ReportU.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

using Automation::Variant;

namespace {

// What a folder value reads as where none was ever assigned.
const QString UnassignedValue = QStringLiteral("(значение не присвоено)");
constexpr int wdDocumentsPath = 0;

} // namespace

void TfrmTessora::ConnectSaving()
{
    connect(ui->acSaveResults, &QAction::triggered, this, &TfrmTessora::acSaveResultsExecute);
    connect(ui->acSaveResults, &QAction::toggled, this, &TfrmTessora::acSaveResultsUpdate);
    // A new examination reads the option back from the settings: keep them in
    // step, so that it does not undo what the user chose since the start.
    connect(ui->acSaveResults, &QAction::toggled, this, [this] { StoreSaveNeeded(true); });
    FExamination->report().SetConclusionSavingHandlers([this] { SaveConclusionIfNeeded(); },
        [this](const Variant&, bool*, bool*) { SetWordOpenDirectory(); });
}

// A value of the settings that is refused is told once in a run, not at every reading.
QString TfrmTessora::StoredReportPath()
{
    return UserSettings::ReportPath([this](const QString& text) { TellSettingsProblem(text); });
}

void TfrmTessora::TellSettingsProblem(const QString& text)
{
    if (FToldSettingsProblems.contains(text))
        return;
    FToldSettingsProblems.insert(text);
    MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(), text);
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
    const QString stored = StoredReportPath();
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
    QString folder = StoredReportPath();
    if (!folder.isEmpty() || AskReportFolder(QString(), folder))
        return folder;
    ui->acSaveResults->setChecked(false);
    return GetFallbackFolder();
}

QString TfrmTessora::GetFallbackFolder() const
{
    if (FExamination->report().ReportDoc.isEmpty())
        return DataFolder::path();
    return FExamination->report().WordApp.get(QStringLiteral("Options"))
        .call(QStringLiteral("DefaultFilePath"), wdDocumentsPath)
        .toString();
}

void TfrmTessora::SaveConclusionAs(const QString& folder)
{
    QString target = folder;
    QString reason;
    while (!TrySaveConclusion(target, reason)) {
        if (!OfferOtherFolder(reason, target)) {
            KeepConclusionText(reason);
            return;
        }
    }
}

bool TfrmTessora::TrySaveConclusion(const QString& folder, QString& reason)
{
    // The chooser promises to create the folder; one removed since is made again.
    PrivateFile::makePath(folder);
    ConclusionFiles::RemoveStale(folder);
    const QString temporary = ConclusionFiles::TemporaryFileName(folder);
    try {
        FExamination->report().ReportDoc.call(QStringLiteral("SaveAs"), temporary);
    } catch (const std::exception&) {
        ConclusionFiles::Discard(temporary);
        // An office that is gone does not answer this either: that failure is not the folder's.
        FExamination->report().ReportDoc.get(QStringLiteral("Saved"));
        reason = WriteFailure::reason(folder);
        return false;
    }
    const QString file = ConclusionFiles::Publish(temporary, folder, ConclusionFileName());
    if (file.isEmpty()) {
        ConclusionFiles::Discard(temporary);
        // The office wrote the whole file: naming it was ours to do.
        reason = QStringLiteral("документ записан, но дать ему имя не удалось");
        return false;
    }
    emit ConclusionSaved(file);
    return true;
}

bool TfrmTessora::OfferOtherFolder(const QString& reason, QString& folder)
{
    const QString text = QStringLiteral("Не могу сохранить заключение в папку %1: %2.\n\n"
                                        "Заключение пока открыто. Выбрать другую папку?")
                             .arg(QDir::toNativeSeparators(folder), reason);
    if (MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(), text,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return false;
    return AskReportFolder(QFileInfo(folder).isDir() ? folder : QString(), folder);
}

QString TfrmTessora::ConclusionText() const
{
    try {
        if (!FExamination->report().ReportDoc.isEmpty()) {
            const QString text
                = FExamination->report().ReportDoc.call(QStringLiteral("Range")).get(QStringLiteral("Text")).toString();
            if (!text.trimmed().isEmpty())
                return text;
        }
    } catch (const std::exception&) {
    }
    // The page shows the conclusion from the moment it is entered, whatever
    // step of the report the office was lost at.
    return FConclusionText.isEmpty() ? ShownConclusion().Lines.join(QLatin1Char('\n')) : FConclusionText;
}

void TfrmTessora::KeepConclusionText(const QString& reason)
{
    const QByteArray text = ConclusionText().replace(QLatin1Char('\r'), QLatin1Char('\n')).toUtf8();
    const QString name = ConclusionFileName();
    for (const QString& folder : { StoredReportPath(), QDir::homePath() }) {
        if (folder.isEmpty())
            continue;
        const QString file = ConclusionFiles::FreeFileName(folder, name, QStringLiteral(".txt"));
        if (!text.isEmpty() && PrivateFile::writeNew(file, text)) {
            MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(),
                QStringLiteral("Заключение не удалось сохранить как документ: %1.\n"
                               "Его текст сохранен в файл %2")
                    .arg(reason, QDir::toNativeSeparators(file)));
            emit ConclusionSaved(file);
            return;
        }
    }
    MessageBoxes::showError(this,
        QStringLiteral("Заключение не удалось сохранить: %1.\nЗаписать его текст тоже не удалось.")
            .arg(reason));
}

void TfrmTessora::NoteConclusionShown()
{
    if (FExamination->report().ReportDoc.isEmpty() || FConclusionPending)
        return;
    FConclusionPending = true;
    FConclusionText = ui->mmoCommon->toPlainText();
}

void TfrmTessora::KeepLostConclusion()
{
    // Saved, or its text written, before the close failed.
    const bool kept = !FKeptDocument.isEmpty();
    if (FExamination->report().ReportDoc.isEmpty())
        FKeptDocument.clear();
    if (!std::exchange(FConclusionPending, false))
        return;
    // The office went away with the document: its close never came.
    FExamination->report().ReportDoc.clear();
    FKeptDocument.clear();
    if (!kept && IsSaveNeeded())
        KeepConclusionText(QStringLiteral("текстовый редактор закрылся или не отвечает"));
}

bool TfrmTessora::IsInReportFolder(const QString& folder) const
{
    const QString path = FExamination->report().ReportDoc.get(QStringLiteral("Path")).toString();
    return ConclusionFiles::SameFolder(path, folder);
}

void TfrmTessora::SaveConclusionIfNeeded()
{
    if (FExamination->report().ReportDoc.isEmpty())
        return;
    KeepConclusion();
    FKeptDocument.clear();
    FConclusionPending = false;
    FExamination->report().ReportDoc.clear();
}

void TfrmTessora::KeepConclusion()
{
    if (FExamination->report().ReportDoc.isEmpty() || FExamination->report().ReportDoc == FKeptDocument)
        return;
    FKeptDocument = FExamination->report().ReportDoc;
    // The document may close after this whatever happens here; a conclusion
    // that could not be kept as a document is kept as text.
    try {
        if (IsSaveNeeded()) {
            // Asked once: a cancelled question still saves this conclusion,
            // into the fallback folder.
            const QString folder = GetReportPath();
            if (!(FExamination->report().ReportDoc.get(QStringLiteral("Saved")).toBool() && IsInReportFolder(folder)))
                SaveConclusionAs(folder);
        }
    } catch (const std::exception& error) {
        FExamination->report().ReportDoc.clear();
        FKeptDocument.clear();
        FConclusionPending = false;
        if (IsSaveNeeded())
            KeepConclusionText(QStringLiteral("текстовый редактор закрылся или не отвечает"));
        else
            MessageBoxes::showError(this,
                QStringLiteral("Не могу сохранить заключение\n%1").arg(QString::fromUtf8(error.what())));
    }
}

void TfrmTessora::SetWordOpenDirectory()
{
    if (!IsSaveNeeded())
        return;
    // Only a convenience for the user's own save dialog: a folder that has
    // gone leaves the dialog where it was, and the save goes on.
    try {
        FExamination->report().WordApp.call(QStringLiteral("ChangeFileOpenDirectory"), GetReportPath());
    } catch (const std::exception&) {
    }
}

void TfrmTessora::StoreSaveNeeded(bool Store)
{
    if (Store) {
        UserSettings::SetSaveNeeded(IsSaveNeeded());
        return;
    }
    ui->acSaveResults->setChecked(
        UserSettings::SaveNeeded([this](const QString& text) { TellSettingsProblem(text); }));
    acSaveResultsUpdate();
}
