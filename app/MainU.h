#pragma once

#include <QMainWindow>

#include <memory>

class QTreeWidgetItem;

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
    void ShowHintInStatusBar();

    // The tag of a page (its "Tag" property), 0 for anything else.
    static int PageTag(const QWidget* page);
    // The page tag that the tree node at an absolute (depth-first) index leads to.
    static int TagForNodeIndex(int index);
    static int NodeIndexForTag(int tag);
    int ActivePageTag() const;
    QTreeWidgetItem* NodeAt(int absoluteIndex) const;
    int NodeCount() const;

public slots:
    void acNewExecute();
    void acNextTabExecute();
    void acPrevTabExecute();
    void acExitExecute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void trvMainChange(QTreeWidgetItem* current);
    void trvMainExpanded(QTreeWidgetItem* item);
    void trvMainCollapsed(QTreeWidgetItem* item);
    void UpdateTabActions();

private:
    void FormCreate();
    void FormResize();
    void FormClose();
    void ConnectActions();

    void LoadPageTip(int tag);
    void LoadPagePicture(int tag);
    void EnterConclusionPage();
    void EnterDataPage(int tag);
    void EnterCardiologistPage();
    void LeaveCardiologistPage();

    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& caption, bool group, int image);
    static void SetNodeImages(QTreeWidgetItem* item, int image, int selectedImage);
    void SetAllGroupsExpanded(bool expanded);
    QString HintFor(const QWidget* widget) const;

    std::unique_ptr<Ui::TfrmTessora> ui;
    QString FCurrentHint;
};
