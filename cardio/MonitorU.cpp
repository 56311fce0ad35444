#include "cardio/MonitorU.h"

#include "ui_MonitorU.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QSlider>

#include <cmath>

namespace {

const char* const SelectionEndProperty = "selectionEnd";

// Qt sliders have no selection range; the groove's colour shows it instead.
QString BarStyle(bool marked)
{
    return QStringLiteral("QSlider::groove:vertical { background: %1; border: 1px solid %2;"
                          " width: 5px; border-radius: 2px; }"
                          "QSlider::handle:vertical { background: #f0f0f0; border: 1px solid #707070;"
                          " height: 9px; margin: 0 -6px; border-radius: 2px; }")
        .arg(marked ? QStringLiteral("#2a6fdb") : QStringLiteral("#d4d4d4"),
            marked ? QStringLiteral("#16489a") : QStringLiteral("#9a9a9a"));
}

} // namespace

TfrmMonitor::TfrmMonitor(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmMonitor>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    // The bars follow the window's size; it shrinks no further than its legend reads whole.
    layout()->activate();
    for (QSlider* bar : Bars())
        SetSelectionEnd(bar, 0);
    for (QObject* child : children()) {
        if (auto* label = qobject_cast<QLabel*>(child); label && label != ui->lblTitle)
            label->installEventFilter(this);
    }
    for (QLabel* label : LegendLabels())
        label->installEventFilter(this);
}

TfrmMonitor::~TfrmMonitor() = default;

void TfrmMonitor::SetToggleAction(QAction* action)
{
    FToggleAction = action;
}

void TfrmMonitor::RefreshBars(const TDiagnosisList& diagnoses)
{
    // Bars are found by the number in each label's name, through the label's buddy.
    for (QObject* child : children()) {
        auto* label = qobject_cast<QLabel*>(child);
        if (!label)
            continue;
        for (int n = 0; n < ConditionCount; ++n) {
            if (!label->objectName().contains(QString::number(n)))
                continue;
            auto* bar = qobject_cast<QSlider*>(label->buddy());
            for (const TDiagnosisRec& record : diagnoses) {
                if (record.Condition != n)
                    continue;
                if (bar)
                    bar->setValue(100 - RoundHalfEven(100 * record.Probability));
                label->setText(QString::number(n));
            }
        }
    }
}

void TfrmMonitor::ClearBarHighlight()
{
    for (QSlider* bar : Bars())
        SetSelectionEnd(bar, 0);
}

void TfrmMonitor::ClearLegendUnderline()
{
    for (QLabel* label : LegendLabels()) {
        QFont font = label->font();
        font.setUnderline(false);
        label->setFont(font);
    }
}

void TfrmMonitor::lblInfarctClick(QLabel* label)
{
    ClearBarHighlight();
    if (auto* bar = qobject_cast<QSlider*>(label->buddy()))
        SetSelectionEnd(bar, bar->maximum());
}

void TfrmMonitor::lbl0Click(QLabel* label)
{
    ClearLegendUnderline();
    for (QLabel* legend : LegendLabels()) {
        if (legend->buddy() && legend->buddy() == label->buddy()) {
            QFont font = legend->font();
            font.setUnderline(true);
            legend->setFont(font);
        }
    }
}

int TfrmMonitor::SelectionEnd(const QSlider* bar)
{
    return bar->property(SelectionEndProperty).toInt();
}

void TfrmMonitor::SetSelectionEnd(QSlider* bar, int end)
{
    bar->setProperty(SelectionEndProperty, end);
    bar->setStyleSheet(BarStyle(end > 0));
}

int TfrmMonitor::RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        return static_cast<int>(floor) + 1;
    return static_cast<int>(floor);
}

bool TfrmMonitor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (label && mouse->button() == Qt::LeftButton
            && label->rect().contains(mouse->position().toPoint())) {
            if (label->parent() == ui->pnlLegend)
                lblInfarctClick(label);
            else
                lbl0Click(label);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmMonitor::closeEvent(QCloseEvent* event)
{
    FormClose();
    QDialog::closeEvent(event);
}

// Escape closes the window like its close button.
void TfrmMonitor::reject()
{
    FormClose();
    QDialog::reject();
}

void TfrmMonitor::FormClose()
{
    if (FToggleAction)
        FToggleAction->setChecked(false);
    hide();
}

void TfrmMonitor::showEvent(QShowEvent* event)
{
    if (!FPlaced && parentWidget()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
        FPlaced = true;
    }
    QDialog::showEvent(event);
}

QList<QLabel*> TfrmMonitor::LegendLabels() const
{
    return ui->pnlLegend->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
}

QList<QSlider*> TfrmMonitor::Bars() const
{
    return findChildren<QSlider*>(Qt::FindDirectChildrenOnly);
}
