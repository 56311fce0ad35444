#pragma once

#include "diary/DiaryEntry.h"

#include <QDateTime>

#include <QDialog>

#include <memory>

class QChart;
class QChartView;
class QModelIndex;
class TDesktopOpener;
class DiaryModel;

namespace Ui {
class DiaryWindow;
}

// The window "Дневник обследований": the kept examinations newest first with
// their flagged values coloured, the trend charts against the bounds of the
// program's rules, the export of the table as CSV and of a summary for a
// doctor as PDF. It reads the diary in the report folder and writes it only
// to delete an entry the user asked to delete.
class DiaryWindow final : public QDialog {
    Q_OBJECT

public:
    DiaryWindow(bool saveNeeded, const QString& folder, QWidget* parent = nullptr);
    ~DiaryWindow() override;

    const QList<DiaryEntry>& entries() const { return m_entries; }
    // Writes the table as CSV; a failure is shown in an error box.
    bool exportTo(const QString& path);
    // Writes the summary for a doctor of the period chosen in cbxPeriod; a
    // failure is shown in an error box.
    bool writeSummaryTo(const QString& path, const QDateTime& now = QDateTime::currentDateTime());
    // The saved conclusion of a row, as a full path.
    QString conclusionPath(int row) const;

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void exportTable();
    void saveSummary();
    void deleteSelected();
    void openConclusion(const QModelIndex& index);
    void showOpenFailure(const QString& path, const QString& reason);

private:
    void loadEntries();
    void showCharts();
    void restoreSizes();
    void openInDesktop(const QString& path, const QString& what);
    bool showPointTip(QChartView* view, const QPoint& at, const QPoint& globalAt);

    std::unique_ptr<Ui::DiaryWindow> ui;
    TDesktopOpener* m_opener = nullptr;
    bool m_saveNeeded = false;
    QString m_folder;
    QList<DiaryEntry> m_entries;
    DiaryModel* m_model = nullptr;
};
