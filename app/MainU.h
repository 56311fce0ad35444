#pragma once

#include "app/PageTags.h"
#include "app/SectionTree.h"
#include "cardio/CardioU.h"
#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "decision/ExaminationRecord.h"
#include "platform/automation/Variant.h"

#include <array>

#include <QMainWindow>
#include <QSet>
#include <QPointer>
#include <QStringList>

#include <memory>

class Examination;
class QTreeWidgetItem;
class RecordPage;
class StatusHints;
class TCardioPage;
class TfrmMonitor;
class TReportState;

namespace Ui {
class TfrmTessora;
}

// The program's title, which captions its message boxes; the window's own
// caption ("Тессора Про") is in its form.
inline const QString ProgramTitle = QStringLiteral("Тессора");

// The main window: the frame of the examination. It holds the section tree,
// the stack of the fifteen pages (each built when first shown), the
// tip/conclusion text area with the page picture, the actions and the status
// bar, and hands what the person does to the examination it shows.
class TfrmTessora : public QMainWindow {
    Q_OBJECT

public:
    using enum SectionTree::NodeRole;
    using enum SectionTree::TreeImage;

    explicit TfrmTessora(QWidget* parent = nullptr);
    ~TfrmTessora() override;

    void SelectPageByTag(int tag);
    void SelectTreeNodeForTag(int tag);
    void UpdateSpecialistsNode(bool show);
    // The panel of a page's fields (its object name starts with "pnl"), within its scroll area.
    static QWidget* PagePanel(QWidget* page);

    // The tag of a page (its "Tag" property), 0 for anything else.
    static int PageTag(const QWidget* page);
    int ActivePageTag() const;
    QTreeWidgetItem* NodeAt(int absoluteIndex) const;
    int NodeCount() const;

    // The examination record the pages hold, as the logic reads it.
    const ExaminationRecord& Record() const;
    // The conclusion the conclusion page showed last.
    const Conclusion& ShownConclusion() const;
    // The word processor, the report document and its events, as this window uses them.
    TReportState& Report();
    // The page of a tag, built now if it was not yet shown; nullptr for any other tag.
    QWidget* Page(int tag);

    // Whether anything was entered or answered since the last reset.
    bool RecordChangedSinceReset() const;
    // Asks the question (with a note that the record will be lost) when anything changed since the reset.
    bool MayDiscardRecord(const QString& question);

    // Loads the named cardiology explanation into redCardio over the whole work
    // area, the lines of an urgent notice first; throws std::runtime_error when
    // the file cannot be opened.
    void ShowCardioConclusion(
        const QString& name, const QStringList& notice = {}, const QStringList& reasons = {});

    // Saving of the conclusion documents (MainSaving.cpp).
    // The stored report folder; without one the user is asked, and a
    // cancelled question switches saving off and answers GetFallbackFolder.
    QString GetReportPath();

signals:
    // A conclusion document was saved as this file.
    void ConclusionSaved(const QString& file);

public slots:
    void acNewExecute();
    void acNextTabExecute();
    void acPrevTabExecute();
    void acExitExecute();
    void acMonitorExecute(bool checked);
    void acRestartInterviewExecute();
    void acSaveResultsExecute(bool checked);
    void acSaveResultsUpdate();
    void acDiaryExecute();
    void acPressureReadingExecute();
    // The report command: builds the printable report, or shows the open one.
    void acReportExecute();
    void acReportUpdate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void UpdateTabActions();
    void pgcMainChange();
    void tsResultHide();

private:
    void ActivatePage(QWidget* page);
    void FramePagePanel(QWidget* page);
    void SizePagePanel(QWidget* page);
    // Starts the cardiology interview again from its first question.
    void RestartInterview();
    void ChooseReportFolder(bool Checked);
    bool IsSaveNeeded() const;
    QString GetFallbackFolder() const;
    // Saves the conclusion document into the folder under a free name from
    // ConclusionFileName and emits ConclusionSaved. After a failure tells why
    // and offers another folder; when the user declines keeps its text.
    void SaveConclusionAs(const QString& folder);
    // Whether the conclusion document was saved into this folder (from GetReportPath).
    bool IsInReportFolder(const QString& folder) const;
    // Handlers of the conclusion document's Close and of the word processor's before-save.
    void SaveConclusionIfNeeded();
    // Saves the conclusion document where wanted, once per document: before the
    // program closes it, so that a question about the folder waits outside any
    // office call, or at its Close.
    void KeepConclusion();
    void SetWordOpenDirectory();
    // True writes the option to the settings, false reads it back.
    void StoreSaveNeeded(bool Store);
    // The examination diary (MainDiary.cpp): keeps the examination whose
    // conclusion was saved as the file, while the saving option is on.
    void KeepInDiary(const QString& file);
    void FormCreate();
    void FormResize();
    void FormClose();
    void CloseReportDocuments();
    // The record's pages (MainPages.cpp).
    void AddPagePlaceholders();
    RecordPage* BuildPage(int tag);
    RecordPage* BuiltPage(int tag) const;
    void ConnectPage(RecordPage* page);
    void StoreRecord(RecordPage* page);
    void LoadPages();
    void ShowPersonInTitle();
    // «Дальше» from a vital sign's page confirms the value it shows.
    void ConfirmShownVital();
    void ConnectActions();
    // On the complaints page the grid gets the room beyond the window's design height.
    void ArrangeWorkArea(int tag);
    void ConnectSaving();
    // The stored report folder; a refused value is told once.
    QString StoredReportPath();
    void TellSettingsProblem(const QString& text);
    void ConnectDiary();
    bool AskReportFolder(const QString& preselected, QString& folder);
    // One attempt; false with the reason in Russian when the folder failed.
    bool TrySaveConclusion(const QString& folder, QString& reason);
    bool OfferOtherFolder(const QString& reason, QString& folder);
    // The conclusion as text: the document's, or the page's when the office is gone.
    QString ConclusionText() const;
    // Writes the conclusion's text as a UTF-8 file beside the conclusions (or
    // in the home folder) and tells why it is not a document.
    void KeepConclusionText(const QString& reason);
    // Called when a report was shown, and after the report documents were
    // closed: a shown conclusion whose close never came is kept as text.
    void NoteConclusionShown();
    void KeepLostConclusion();

    void LoadPagePicture(int tag);
    void EnterConclusionPage();
    // The «Почему?» button lists the recommended consultations; each opens its explanation.
    void UpdateWhyMenu();
    void ShowNotGiven();
    void ShowWhy(int specialist);
    void EnterDataPage(int tag);
    void EnterCardiologistPage();
    void LeaveCardiologistPage();
    void PutNoticeFirst(const QString& name, const QStringList& notice);
    void ConnectCardio();
    TCardioPage* CardioPage();

    std::unique_ptr<Ui::TfrmTessora> ui;
    std::unique_ptr<SectionTree> m_sections;
    std::unique_ptr<StatusHints> m_hints;
    // The report, the diary and the specialists node take its conclusion.
    std::unique_ptr<Examination> FExamination;
    // The record's pages by tag − 1; none until first shown.
    std::array<RecordPage*, RecordPageCount> FPages {};
    TCardioPage* FCardioPage = nullptr;
    // The form's caption, which the name of the person examined follows.
    QString FCaption;
    TfrmMonitor* frmMonitor = nullptr;
    int FDesignHeight = 0;
    // The lower panel's height before the complaints page was entered; -1 while not on it.
    int FBottomHeightOutsideComplaints = -1;
    QWidget* FShownPage = nullptr;
    // The page panels already given the size of their contents.
    QSet<const QWidget*> FSizedPanels;
    QPointer<QWidget> FDiary;
    // A report document was shown and its close has not come yet.
    bool FConclusionPending = false;
    // The conclusion page's text as the report was shown: what is kept when the office is lost.
    QString FConclusionText;
    QSet<QString> FToldSettingsProblems;
    // The document KeepConclusion ran for.
    Automation::Variant FKeptDocument;
};
