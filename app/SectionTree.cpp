#include "app/SectionTree.h"

#include "app/PageTags.h"

#include <QMouseEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <iterator>

namespace {

// Tree nodes by absolute index: caption, page tag (0 for a group), level.
struct NodeDef {
    const char* caption;
    int tag;
    bool child;
};

constexpr NodeDef FixedNodes[] = {
    { "Антропометрия", int(TPageTag::Anthropometry), false },
    { "Жалобы", int(TPageTag::Complaints), false },
    { "Анамнез", int(TPageTag::Anamnesis), false },
    { "Объективно", 0, false },
    { "Температура", int(TPageTag::Temperature), true },
    { "Пульс", int(TPageTag::Pulse), true },
    { "Давление", int(TPageTag::Pressure), true },
    { "ЭКГ", int(TPageTag::Ecg), true },
    { "Флюорография", int(TPageTag::Fluorography), true },
    { "Кровь", int(TPageTag::Blood), true },
    { "Моча", int(TPageTag::Urine), true },
    { "Осмотр", 0, false },
    { "Лимфатические узлы", int(TPageTag::LymphNodes), true },
    { "Конечности", int(TPageTag::Limbs), true },
    { "Грыжи", int(TPageTag::Hernias), true },
    { "Заключение", int(TPageTag::Conclusion), false },
};
constexpr int FixedNodeCount = int(std::size(FixedNodes));
constexpr int SpecialistsIndex = 16;
constexpr int CardiologistIndex = 17;

// The page tag that the node at an absolute index leads to.
int TagForNodeIndex(int index)
{
    if (index >= 0 && index < FixedNodeCount)
        return FixedNodes[index].tag;
    return index == CardiologistIndex ? CardiologistTag : 0;
}

int NodeIndexForTag(int tag)
{
    if (tag == CardiologistTag)
        return CardiologistIndex;
    const auto node = std::find_if(
        std::begin(FixedNodes), std::end(FixedNodes), [tag](const NodeDef& def) { return def.tag == tag; });
    return tag != 0 && node != std::end(FixedNodes) ? int(node - std::begin(FixedNodes)) : 0;
}

} // namespace

SectionTree::SectionTree(QTreeWidget* tree, QObject* parent)
    : QObject(parent)
    , m_tree(tree)
{
    m_tree->setColumnCount(1);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &SectionTree::trvMainChange);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &SectionTree::trvMainExpanded);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &SectionTree::trvMainCollapsed);
    // A click on a group's name opens or closes it, as its arrow does.
    connect(m_tree, &QTreeWidget::itemClicked, this, [](QTreeWidgetItem* item) {
        if (item->childCount() > 0)
            item->setExpanded(!item->isExpanded());
    });
    connect(m_tree, &QTreeWidget::itemClicked, this, &SectionTree::trvMainClick);
    connect(m_tree, &QTreeWidget::itemActivated, this,
        [this](QTreeWidgetItem* item) { emit chosenAgain(tagOf(item)); });
    // Two clicks on a group's name open and close it again, as two clicks on its arrow do.
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->viewport()->installEventFilter(this);
}

void SectionTree::build()
{
    const QSignalBlocker blocker(m_tree);
    m_tree->clear();
    QTreeWidgetItem* group = nullptr;
    for (int i = 0; i < FixedNodeCount; ++i) {
        const NodeDef& node = FixedNodes[i];
        const bool isGroup = node.tag == 0;
        const int image = i == 0 ? Opened : NotOpened;
        QTreeWidgetItem* item
            = addNode(node.child ? group : nullptr, QString::fromUtf8(node.caption), isGroup, image);
        if (isGroup)
            group = item;
    }
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if ((*it)->childCount() == 0)
            continue;
        (*it)->setExpanded(true);
        setNodeImages(*it, GroupExpanded, GroupExpanded);
    }
}

QTreeWidgetItem* SectionTree::nodeAt(int absoluteIndex) const
{
    int index = 0;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it, ++index) {
        if (index == absoluteIndex)
            return *it;
    }
    return nullptr;
}

int SectionTree::nodeCount() const
{
    int count = 0;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        ++count;
    return count;
}

bool SectionTree::offersSpecialists() const
{
    return nodeCount() > FixedNodeCount;
}

void SectionTree::updateSpecialistsNode(bool show)
{
    if (!show) {
        delete nodeAt(SpecialistsIndex);
        return;
    }
    if (nodeCount() != FixedNodeCount)
        return;
    QTreeWidgetItem* group = addNode(nullptr, QStringLiteral("Специалисты"), true, GroupCollapsed);
    addNode(group, QStringLiteral("Кардиолог"), false, NotOpened);
    // The new node shows at once; the other groups stay as the user left them.
    group->setExpanded(true);
    setNodeImages(group, GroupExpanded, GroupExpanded);
}

void SectionTree::selectNodeForTag(int tag)
{
    if (QTreeWidgetItem* node = nodeAt(NodeIndexForTag(tag)))
        m_tree->setCurrentItem(node);
}

void SectionTree::markNodeForTag(int tag)
{
    const QSignalBlocker blocker(m_tree);
    selectNodeForTag(tag);
}

bool SectionTree::eventFilter(QObject* watched, QEvent* event)
{
    // Choosing the node that is already current starts nothing by itself;
    // the click handler needs to know it was so before the press.
    if (event->type() == QEvent::MouseButtonPress) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        m_pressOnCurrentNode = m_tree->itemAt(at) == m_tree->currentItem();
    }
    return QObject::eventFilter(watched, event);
}

void SectionTree::trvMainChange(QTreeWidgetItem* current)
{
    if (!current)
        return;
    if (current->childCount() > 0) {
        const int image = current->isExpanded() ? GroupExpanded : GroupCollapsed;
        setNodeImages(current, image, image);
    } else {
        setNodeImages(current, Opened, current->data(0, SelectedImageRole).toInt());
    }
    emit pageChosen(tagOf(current));
}

void SectionTree::trvMainExpanded(QTreeWidgetItem* item)
{
    setNodeImages(item, GroupExpanded, GroupExpanded);
}

void SectionTree::trvMainCollapsed(QTreeWidgetItem* item)
{
    setNodeImages(item, GroupCollapsed, GroupCollapsed);
}

// A click on the node already selected counts as choosing it again, as Enter does.
void SectionTree::trvMainClick(QTreeWidgetItem* item)
{
    if (std::exchange(m_pressOnCurrentNode, false))
        emit chosenAgain(tagOf(item));
}

int SectionTree::tagOf(const QTreeWidgetItem* item) const
{
    int index = 0;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it, ++index) {
        if (*it == item)
            return TagForNodeIndex(index);
    }
    return 0;
}

QTreeWidgetItem* SectionTree::addNode(QTreeWidgetItem* parent, const QString& caption, bool group, int image)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, caption);
    setNodeImages(item, group ? GroupCollapsed : image, group ? GroupCollapsed : SelectedPage);
    return item;
}

void SectionTree::setNodeImages(QTreeWidgetItem* item, int image, int selectedImage)
{
    item->setData(0, ImageRole, image);
    item->setData(0, SelectedImageRole, selectedImage);
    item->setIcon(0, icon(image, selectedImage));
}

// A node changes its picture at every step through the tree: each pair of
// pictures is decoded once.
QIcon SectionTree::icon(int image, int selectedImage)
{
    QIcon& icon = m_icons[{ image, selectedImage }];
    if (icon.isNull()) {
        icon.addFile(QStringLiteral(":/icons/tree/%1.png").arg(image));
        icon.addFile(QStringLiteral(":/icons/tree/%1.png").arg(selectedImage), QSize(), QIcon::Selected);
    }
    return icon;
}
