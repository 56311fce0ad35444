#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>

#include <utility>

class QTreeWidget;
class QTreeWidgetItem;

// The main window's section tree: a node for each page of the record in its
// groups, the conclusion, and the specialists while they are offered. It gives
// each node its pictures and tells which page the person chose.
class SectionTree : public QObject {
    Q_OBJECT

public:
    // Roles of a node's data: the imlTreeSelect index of its image and of its selected-image.
    enum NodeRole { ImageRole = Qt::UserRole + 1, SelectedImageRole };
    // imlTreeSelect indexes.
    enum TreeImage { NotOpened = 0, Opened = 1, SelectedPage = 2, GroupCollapsed = 3, GroupExpanded = 4 };

    explicit SectionTree(QTreeWidget* tree, QObject* parent = nullptr);

    // The fixed nodes, every group open, without the specialists.
    void build();
    // A node by its absolute (depth-first) index.
    QTreeWidgetItem* nodeAt(int absoluteIndex) const;
    int nodeCount() const;
    bool offersSpecialists() const;
    void updateSpecialistsNode(bool show);
    // Makes the node of a page's tag current, which chooses the page.
    void selectNodeForTag(int tag);
    // Makes the node of a page's tag current without choosing anything.
    void markNodeForTag(int tag);

signals:
    // A node became current: the tag of its page, 0 for a group.
    void pageChosen(int tag);
    // The current node was chosen again, by a click or by Enter.
    void chosenAgain(int tag);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void trvMainChange(QTreeWidgetItem* current);
    void trvMainExpanded(QTreeWidgetItem* item);
    void trvMainCollapsed(QTreeWidgetItem* item);
    void trvMainClick(QTreeWidgetItem* item);

private:
    int tagOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& caption, bool group, int image);
    void setNodeImages(QTreeWidgetItem* item, int image, int selectedImage);
    QIcon icon(int image, int selectedImage);

    QTreeWidget* m_tree;
    // The pictures by (picture, picture when selected).
    QHash<std::pair<int, int>, QIcon> m_icons;
    bool m_pressOnCurrentNode = false;
};
