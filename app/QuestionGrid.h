#pragma once

#include "app/QuestionList.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTableView>

#include <array>
#include <vector>

class QStandardItemModel;

// The cells of the questionnaire grid: one row per statement of the current
// view, columns number, text, yes mark and no mark. Column 0 holds the
// statement number as text, and a row finds its statement through it.
class TQuestionModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NumberColumn = 0, TextColumn = 1, YesColumn = 2, NoColumn = 3, ColumnCount = 4 };
    // The answer state of a row's statement, on every column; none for a row
    // whose statement is gone.
    static constexpr int AnswerStateRole = Qt::UserRole + 1;

    explicit TQuestionModel(TQuestionList& questions, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows the statements of a view: 0 all, else those whose state equals it.
    void fill(int view);
    void clear();
    TCheck* questionOfRow(int row) const;
    // Applies a click on a cell; returns whether an answer changed.
    bool changeAnswer(int column, int row);

private:
    TQuestionList& FQuestions;
    std::vector<int> FRows; // row -> index in FQuestions
};

// Draws the cells: number centred, text wrapped from the top left, and the
// answer marks of ImLst.
class TQuestionDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    enum Mark { SetMark = 0, EmptyMark = 1 };
    static constexpr QPoint MarkOffset { 22, 10 };

    explicit TQuestionDelegate(QObject* parent = nullptr);
    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The image list of the two answer marks.
    std::array<QPixmap, 2> ImLst;

private:
    void paintText(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// The grid `stgQst`. Any mouse button and the space key answer; the yes and no
// columns never take the keyboard cursor.
class TQuestionGrid final : public QTableView {
    Q_OBJECT

public:
    static constexpr int RowHeight = 40;

    explicit TQuestionGrid(QWidget* parent = nullptr);

    // The hint for the column under a horizontal position.
    QString hintAt(int x) const;

signals:
    // A mouse button went down over the grid; column and row are -1 outside the cells.
    void cellPressed(int column, int row);
    void spacePressed();
    void hintChanged(const QString& hint);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

// The header `hdcTop` over the grid; a click on a section chooses the view.
class TQuestionHeader final : public QHeaderView {
    Q_OBJECT

public:
    static constexpr int HeaderHeight = 33;

    explicit TQuestionHeader(QWidget* parent = nullptr);

    // The hint for the section under a horizontal position.
    QString hintAt(int x) const;
    // Shows one section's caption as the chosen one; -1 for none.
    void MarkSection(int section);

signals:
    void hintChanged(const QString& hint);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QStandardItemModel* FCaptions;
};
