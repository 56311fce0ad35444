#pragma once

#include "diary/DiaryEntry.h"

#include <QDateTime>

#include <QDialog>

#include <memory>

class QChart;
class QChartView;
class QModelIndex;
class TDesktopOpener;
class TDiaryModel;

namespace Ui {
class TfrmDiary;
}

// The window "Дневник обследований": the kept examinations newest first with
// their flagged values coloured, the trend charts against the bounds of the
// program's rules, the export of the table as CSV and of a summary for a
// doctor as PDF. It reads the diary in the report folder and writes it only
// to delete an entry the user asked to delete.
class TfrmDiary final : public QDialog {
    Q_OBJECT

public:
    TfrmDiary(bool saveNeeded, const QString& folder, QWidget* parent = nullptr);
    ~TfrmDiary() override;

    const QList<TDiaryEntry>& Entries() const { return FEntries; }
    // Writes the table as CSV; a failure is shown in an error box.
    bool ExportTo(const QString& path);
    // Writes the summary for a doctor of the period chosen in cbxPeriod; a
    // failure is shown in an error box.
    bool WriteSummaryTo(const QString& path, const QDateTime& now = QDateTime::currentDateTime());
    // The saved conclusion of a row, as a full path.
    QString ConclusionPath(int row) const;

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void bbtnExportClick();
    void bbtnSummaryClick();
    void bbtnDeleteClick();
    void stgDiaryDoubleClick(const QModelIndex& index);
    void OpenFailed(const QString& path, const QString& reason);

private:
    void LoadEntries();
    void ShowCharts();
    void RestoreGeometry();
    void OpenInDesktop(const QString& path, const QString& what);
    bool ShowPointTip(QChartView* view, const QPoint& at, const QPoint& globalAt);

    std::unique_ptr<Ui::TfrmDiary> ui;
    TDesktopOpener* FOpener = nullptr;
    bool FSaveNeeded = false;
    QString FFolder;
    QList<TDiaryEntry> FEntries;
    TDiaryModel* FModel = nullptr;
};
