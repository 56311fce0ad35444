#pragma once

#include "diary/DiaryEntry.h"
#include "diary/HomePressure.h"

#include <QDateTime>

#include <QDialog>

#include <memory>

class QChart;
class QChartView;
class QFileSystemWatcher;
class QModelIndex;
class QTimer;
class TDesktopOpener;
class DiaryModel;

namespace Ui {
class DiaryWindow;
}

// The window "Дневник обследований": the kept examinations of the person
// chosen, newest first, with their flagged values coloured, the trend charts
// with the home pressure readings against the bounds of the program's rules,
// the export of the table as CSV and of a summary for a doctor as PDF. It
// writes the diary only to delete an entry or to add a reading the user asked for.
// What another window or program instance writes to the diary shows at once,
// with the person, the period and the row chosen kept.
class DiaryWindow final : public QDialog {
    Q_OBJECT

public:
    // reportFolder is where the conclusions are saved, for the hint of an empty diary.
    DiaryWindow(
        const QString& diaryFolder, bool saveNeeded, const QString& reportFolder, QWidget* parent = nullptr);
    ~DiaryWindow() override;

    // The entries of the person chosen.
    const QList<DiaryEntry>& entries() const { return m_entries; }
    // Chooses whose entries are shown: a name, or "" for the entries without one.
    void choosePerson(const QString& person);
    // Writes the table as CSV; a failure is shown in an error box.
    bool exportTo(const QString& path);
    // Writes the summary for a doctor of the person and the period chosen; a
    // failure is shown in an error box.
    bool writeSummaryTo(const QString& path, const QDateTime& now = QDateTime::currentDateTime());
    // The latest saved conclusion of a row that is still there, else its latest.
    QString conclusionPath(int row) const;

protected:
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void exportTable();
    void saveSummary();
    void deleteSelected();
    void addReadings();
    void openConclusion(const QModelIndex& index);
    void showOpenFailure(const QString& path, const QString& reason);

private:
    void loadDiary();
    void reloadIfChanged();
    void watchDiary();
    qint64 selectedEntry() const;
    void selectEntry(qint64 id, int column);
    void showPerson();
    void fillPeople();
    void showCharts();
    void restoreSizes();
    void openInDesktop(const QString& path, const QString& what);
    bool showPointTip(QChartView* view, const QPoint& at, const QPoint& globalAt);

    std::unique_ptr<Ui::DiaryWindow> ui;
    TDesktopOpener* m_opener = nullptr;
    QString m_diaryFolder;
    bool m_saveNeeded = false;
    QString m_reportFolder;
    QString m_failure;
    QList<DiaryEntry> m_allEntries;
    QList<PressureReading> m_allReadings;
    QList<DiaryEntry> m_entries;
    QList<PressureReading> m_readings;
    DiaryModel* m_model = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_reloadTimer = nullptr;
    QByteArray m_shownMark;
};
