#include "app/QuestionGrid.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStatusTipEvent>

namespace {

constexpr qsizetype MaxDrawnLength = 4096;
constexpr qsizetype MaxToolTipLength = 1000;

const char* const GridHints[] = {
    "Номер вопроса в опроснике",
    "Кликните здесь, чтобы изменить ответ",
    "Кликните здесь, если хотите ответить «Да»",
    "Кликните здесь, если хотите ответить «Нет»",
};

const char* const HeaderHints[] = {
    "Кликнув здесь, Вы увидите все вопросы",
    "Кликнув здесь, Вы увидите только вопросы, на которые Вы не ответили",
    "Кликнув здесь, Вы увидите только вопросы, на которые Вы ответили «Да»",
    "Кликнув здесь, Вы увидите только вопросы, на которые Вы ответили «Нет»",
};

// Positions right of the last column or section count as the last one.
QString hintOf(const char* const (&hints)[4], int column)
{
    return QString::fromUtf8(hints[column < 0 || column > 3 ? 3 : column]);
}

// The hint lives on the view and on its viewport, where the pointer is, so
// that entering the view shows it; a change while the pointer moves inside is
// announced, as the window does not see it otherwise.
bool setHint(QAbstractItemView* view, const QString& hint)
{
    if (view->statusTip() == hint)
        return false;
    view->setStatusTip(hint);
    view->viewport()->setStatusTip(hint);
    QStatusTipEvent tip(hint);
    QCoreApplication::sendEvent(view, &tip);
    return true;
}

// A click on the text cycles not answered -> yes -> no -> not answered.
quint8 nextState(quint8 state)
{
    switch (state) {
    case AnswerStates::NotAnswered:
        return AnswerStates::Yes;
    case AnswerStates::Yes:
        return AnswerStates::No;
    default:
        return AnswerStates::NotAnswered;
    }
}

} // namespace

// ---------------------------------------------------------------- model

TQuestionModel::TQuestionModel(TQuestionList& questions, QObject* parent)
    : QAbstractTableModel(parent)
    , FQuestions(questions)
{
}

int TQuestionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TQuestionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TQuestionModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int position = FRows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == NumberColumn)
            return QString::number(position + 1);
        if (index.column() == TextColumn)
            return FQuestions.text(position);
        return {};
    case Qt::ToolTipRole:
        // The row is only two lines high; the whole statement on demand.
        if (index.column() != TextColumn)
            return {};
        return FQuestions.text(position).size() > MaxToolTipLength
            ? FQuestions.text(position).left(MaxToolTipLength) + QChar(0x2026)
            : FQuestions.text(position);
    case Qt::AccessibleTextRole:
        // The answer columns show only a mark: a screen reader says it in words.
        if (index.column() == YesColumn || index.column() == NoColumn) {
            const bool yes = index.column() == YesColumn;
            const TCheck* check = questionOfRow(index.row());
            const bool marked = check && check->AnswerState == (yes ? AnswerStates::Yes : AnswerStates::No);
            return QStringLiteral("%1%2").arg(yes ? QStringLiteral("да") : QStringLiteral("нет"),
                marked ? QStringLiteral(", отмечено") : QString());
        }
        return data(index, Qt::DisplayRole);
    case AnswerStateRole:
        if (const TCheck* check = questionOfRow(index.row()))
            return check->AnswerState;
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags TQuestionModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == YesColumn || index.column() == NoColumn)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TQuestionModel::fill(int view)
{
    beginResetModel();
    FRows.clear();
    for (int i = 0; i < FQuestions.count(); ++i) {
        if (view == 0 || FQuestions.item(i)->AnswerState == view)
            FRows.push_back(i);
    }
    endResetModel();
}

void TQuestionModel::clear()
{
    beginResetModel();
    FRows.clear();
    endResetModel();
}

TCheck* TQuestionModel::questionOfRow(int row) const
{
    // A click below the rows or a key press without a current row asks for a
    // row that does not exist; it has no number to read.
    const QModelIndex numberCell = index(row, NumberColumn);
    if (!numberCell.isValid())
        return nullptr;
    bool isNumber = false;
    const int number = data(numberCell).toString().toInt(&isNumber);
    return isNumber ? FQuestions.item(number - 1) : nullptr;
}

bool TQuestionModel::changeAnswer(int column, int row)
{
    TCheck* check = questionOfRow(row);
    if (!check)
        return false;
    const quint8 before = check->AnswerState;
    switch (column) {
    case TextColumn:
        check->AnswerState = nextState(before);
        break;
    case YesColumn:
        check->AnswerState = AnswerStates::Yes;
        break;
    case NoColumn:
        check->AnswerState = AnswerStates::No;
        break;
    default:
        return false;
    }
    if (check->AnswerState == before)
        return false;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1), { AnswerStateRole });
    return true;
}

// ---------------------------------------------------------------- delegate

TQuestionDelegate::TQuestionDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
    , ImLst { QPixmap(QStringLiteral(":/icons/marks/0.png")), QPixmap(QStringLiteral(":/icons/marks/1.png")) }
{
}

void TQuestionDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariant state = index.data(TQuestionModel::AnswerStateRole);
    if (!state.isValid())
        return;
    painter->fillRect(option.rect, option.palette.color(QPalette::Base));

    switch (index.column()) {
    case TQuestionModel::NumberColumn:
    case TQuestionModel::TextColumn:
        paintText(painter, option, index);
        break;
    case TQuestionModel::YesColumn:
    case TQuestionModel::NoColumn: {
        const quint8 marked
            = index.column() == TQuestionModel::YesColumn ? AnswerStates::Yes : AnswerStates::No;
        const QPixmap& mark = ImLst[state.toUInt() == marked ? SetMark : EmptyMark];
        painter->drawPixmap(option.rect.topLeft() + MarkOffset, mark);
        break;
    }
    default:
        break;
    }
}

void TQuestionDelegate::paintText(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect box = option.rect.adjusted(1, 2, -1, -2);
    const int flags = index.column() == TQuestionModel::NumberColumn
        ? int(Qt::AlignCenter | Qt::TextSingleLine)
        : int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    // A row shows two or three lines; laying out all of an endless line would
    // stall every repaint.
    painter->drawText(box, flags, index.data(Qt::DisplayRole).toString().left(MaxDrawnLength));
    painter->restore();

    // Keyboard users see which statement the space key answers.
    if (option.state & QStyle::State_HasFocus) {
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

// ---------------------------------------------------------------- grid

TQuestionGrid::TQuestionGrid(QWidget* parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("stgQst"));
    setAccessibleName(QStringLiteral("Утверждения о жалобах: ответы «да» и «нет»"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setShowGrid(true);
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setMouseTracking(true);
    verticalScrollBar()->setTracking(true);
}

QString TQuestionGrid::hintAt(int x) const
{
    return hintOf(GridHints, columnAt(x));
}

void TQuestionGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex cell = indexAt(event->position().toPoint());
    emit cellPressed(cell.isValid() ? cell.column() : -1, cell.isValid() ? cell.row() : -1);
    if (cell.isValid() && cell.column() <= TQuestionModel::TextColumn)
        QTableView::mousePressEvent(event);
    else
        setFocus(Qt::MouseFocusReason);
}

// Each click of a quick double click answers, as two single clicks would.
void TQuestionGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TQuestionGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QString hint = hintAt(event->position().toPoint().x());
    if (setHint(this, hint))
        emit hintChanged(hint);
    // A drag with a button down would move the current cell; answers come from presses only.
    if (event->buttons() == Qt::NoButton)
        QTableView::mouseMoveEvent(event);
}

void TQuestionGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        emit spacePressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TQuestionGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (current.isValid() && current.column() > TQuestionModel::TextColumn) {
        const QModelIndex back = previous.isValid() && previous.column() <= TQuestionModel::TextColumn
            ? previous
            : current.siblingAtColumn(TQuestionModel::TextColumn);
        selectionModel()->setCurrentIndex(back, QItemSelectionModel::NoUpdate);
        return;
    }
    QTableView::currentChanged(current, previous);
}

// ---------------------------------------------------------------- header

TQuestionHeader::TQuestionHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
    , FCaptions(new QStandardItemModel(0, 4, this))
{
    setObjectName(QStringLiteral("hdcTop"));
    FCaptions->setHorizontalHeaderLabels({ QStringLiteral("#"), QStringLiteral("Можно ли утверждать, что..."),
        QStringLiteral("Да"), QStringLiteral("Нет") });
    setModel(FCaptions);
    setDefaultAlignment(Qt::AlignCenter);
    setSectionsClickable(true);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Interactive);
    setFixedHeight(HeaderHeight);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

QString TQuestionHeader::hintAt(int x) const
{
    return hintOf(HeaderHints, logicalIndexAt(x));
}

void TQuestionHeader::MarkSection(int section)
{
    QFont bold = font();
    bold.setBold(true);
    for (int i = 0; i < FCaptions->columnCount(); ++i) {
        const bool marked = i == section;
        FCaptions->setHeaderData(i, Qt::Horizontal, marked ? QVariant(bold) : QVariant(), Qt::FontRole);
        FCaptions->setHeaderData(i, Qt::Horizontal,
            marked ? QVariant(palette().brush(QPalette::Highlight)) : QVariant(), Qt::ForegroundRole);
    }
}

void TQuestionHeader::mouseMoveEvent(QMouseEvent* event)
{
    const QString hint = hintAt(event->position().toPoint().x());
    if (setHint(this, hint))
        emit hintChanged(hint);
    QHeaderView::mouseMoveEvent(event);
}
