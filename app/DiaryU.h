#pragma once

#include "diary/DiaryEntry.h"

#include <QDialog>

#include <memory>

class QChart;
class QModelIndex;
class TDiaryModel;

namespace Ui {
class TfrmDiary;
}

// The window "Дневник обследований": the kept examinations newest first with
// their out-of-norm values coloured, the trend charts against the normal
// bands, and the export of the table as CSV. It reads the diary in the report
// folder and never writes it.
class TfrmDiary final : public QDialog {
    Q_OBJECT

public:
    TfrmDiary(bool saveNeeded, const QString& folder, QWidget* parent = nullptr);
    ~TfrmDiary() override;

    const QList<TDiaryEntry>& Entries() const { return FEntries; }
    // Writes the table as CSV; a failure is shown in an error box.
    bool ExportTo(const QString& path);
    // The saved conclusion of a row, as a full path.
    QString ConclusionPath(int row) const;

private slots:
    void bbtnExportClick();
    void stgDiaryDoubleClick(const QModelIndex& index);

private:
    void LoadEntries(bool saveNeeded);
    void ShowCharts();

    std::unique_ptr<Ui::TfrmDiary> ui;
    QString FFolder;
    QList<TDiaryEntry> FEntries;
    TDiaryModel* FModel = nullptr;
};
