#pragma once

#include "decision/ExaminationRecord.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>

class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QTreeWidgetItem;
class TCardioPage;
class TfrmMonitor;
class TCheck;
class TQuestionnaire;
class TPageRecord;

namespace Ui {
class TfrmTessora;
}

// The main window: the section tree, the fifteen pages of the examination,
// the tip/conclusion text area with the page picture, and the navigation.
class TfrmTessora : public QMainWindow {
    Q_OBJECT

public:
    // Roles of a tree node's data: the imlTreeSelect index of its image and
    // of its selected-image.
    enum NodeRole { ImageRole = Qt::UserRole + 1, SelectedImageRole };
    // imlTreeSelect indexes.
    enum TreeImage { NotOpened = 0, Opened = 1, SelectedPage = 2, GroupCollapsed = 3, GroupExpanded = 4 };

    explicit TfrmTessora(QWidget* parent = nullptr);
    ~TfrmTessora() override;

    void SelectPageByTag(int tag);
    void SelectTreeNodeForTag(int tag);
    void ActivatePage(QWidget* page);
    void BuildSectionTree();
    void UpdateSpecialistsNode(bool show);
    void CenterPagePanel(QWidget* page);
    // The first child panel of a page (its object name starts with "pnl").
    static QWidget* PagePanel(QWidget* page);
    void ShowHintInStatusBar();

    // The tag of a page (its "Tag" property), 0 for anything else.
    static int PageTag(const QWidget* page);
    // The page tag that the tree node at an absolute (depth-first) index leads to.
    static int TagForNodeIndex(int index);
    static int NodeIndexForTag(int tag);
    int ActivePageTag() const;
    QTreeWidgetItem* NodeAt(int absoluteIndex) const;
    int NodeCount() const;

    // The examination record the pages hold, as the logic reads it.
    const ExaminationRecord& Record() const;

    // The complaints questionnaire on tsComplains.
    void LoadQuestions();
    void FillQuestionGrid(int view);
    TCheck* QuestionOfRow(int row) const;
    void ChangeAnswer(int column, int row);
    void FreeQuestions();

    // The picker may be set from (17 − age) years before now up to now.
    void SetTestDateRange(QDateTimeEdit* picker);
    void ShowGynecologist();
    // Whether anything was entered or answered since the last reset.
    bool RecordChangedSinceReset() const;

    // Loads the named cardiology explanation into redCardio over the whole work
    // area, the lines of an urgent notice first; throws std::runtime_error when
    // the file cannot be opened.
    void ShowCardioConclusion(const QString& name, const QStringList& notice = {});
    // Starts the cardiology interview again from its first question.
    void RestartInterview();

    // Saving of the conclusion documents (MainSaving.cpp).
    void ChooseReportFolder(bool Checked);
    bool IsSaveNeeded() const;
    // The stored report folder; without one the user is asked, and a
    // cancelled question switches saving off and answers GetFallbackFolder.
    QString GetReportPath();
    QString GetFallbackFolder() const;
    // Saves the conclusion document into the folder under a free name from
    // ConclusionFileName; tells the user when that fails, else emits ConclusionSaved.
    void SaveConclusionAs(const QString& folder);
    // Whether the conclusion document was saved into this folder (from GetReportPath).
    bool IsInReportFolder(const QString& folder) const;
    // Handlers of the conclusion document's Close and of the word processor's before-save.
    void SaveConclusionIfNeeded();
    void SetWordOpenDirectory();
    // True writes the option to the settings, false reads it back.
    void StoreSaveNeeded(bool Store);

    // The examination diary (MainDiary.cpp): keeps the examination whose
    // conclusion was saved as the file, while the saving option is on.
    void KeepInDiary(const QString& file);

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
    // The report command: builds the printable report, or shows the open one.
    void acReportExecute();
    void acReportUpdate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void trvMainChange(QTreeWidgetItem* current);
    void trvMainExpanded(QTreeWidgetItem* item);
    void trvMainCollapsed(QTreeWidgetItem* item);
    void trvMainClick(QTreeWidgetItem* item);
    void RestartOnCardiologistNode(QTreeWidgetItem* item);
    void UpdateTabActions();
    void pgcMainChange();
    void tsResultHide();
    void edWeightChange();
    void speHeightChange();
    void rgGenderClick();
    void TestAbsentClick(ExaminationRecord::Test test);

private:
    void FormCreate();
    void SizePagePanels();
    void FormResize();
    void FormClose();
    void CloseReportDocuments();
    void SetBirthDateLimits();
    void SetDateFormats();
    void ConnectRecord();
    void ResetRecord();
    void ResetPanelChecks();
    // Every value of the pages and every answer, to compare with the reset's.
    QStringList EnteredValues() const;
    void RenewHint(QCheckBox* box);
    // Shows a control's rewritten hint at once if the status bar shows that control's hint.
    void ShowRenewedHint(QWidget* control);
    void ShowBodyMassIndex();
    void SetLabelsColour(QLabel* first, QLabel* second, const QColor& colour);
    void ConnectActions();
    void CreateQuestionnaire();
    // On the complaints page the grid gets the room beyond the window's design height.
    void ArrangeWorkArea(int tag);
    void ConnectSaving();
    void ConnectDiary();
    void DisconnectSaving();
    bool AskReportFolder(const QString& preselected, QString& folder);

    void LoadPageTip(int tag);
    void LoadPagePicture(int tag);
    void EnterConclusionPage();
    void EnterDataPage(int tag);
    void EnterCardiologistPage();
    void LeaveCardiologistPage();
    void CreateCardioPage();

    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& caption, bool group, int image);
    static void SetNodeImages(QTreeWidgetItem* item, int image, int selectedImage);
    void SetAllGroupsExpanded(bool expanded);
    QString HintFor(const QWidget* widget) const;

    std::unique_ptr<Ui::TfrmTessora> ui;
    TCardioPage* FCardioPage = nullptr;
    TfrmMonitor* frmMonitor = nullptr;
    QString FCurrentHint;
    QString FAdjustment;
    // The control whose hint the status bar shows: under the mouse or focused last.
    QPointer<QWidget> FHintWidget;
    bool FPressOnCurrentNode = false;
    int FDesignHeight = 0;
    // The lower panel's height before the complaints page was entered; -1 while not on it.
    int FBottomHeightOutsideComplaints = -1;
    TQuestionnaire* FQuestionnaire = nullptr;
    QWidget* FShownPage = nullptr;
    std::unique_ptr<TPageRecord> FRecord;
    QStringList FResetValues;
    QPointer<QWidget> FDiary;
};
