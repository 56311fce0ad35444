#include "platform/widgets/BusyBox.h"

#include "platform/widgets/MessageBoxes.h"

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace BusyBox {

namespace {

// One box per window, made on first use and hidden between waits.
class TBusyBox final : public QDialog {
public:
    explicit TBusyBox(QWidget* parent)
        : QDialog(parent)
    {
        setObjectName(QStringLiteral("dlgBusy"));
        setWindowTitle(MessageBoxes::title());
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        bar->setTextVisible(false);
        layout->addWidget(bar);
        layout->addWidget(giveUpButton, 0, Qt::AlignRight);
    }

    QLabel* label = new QLabel(this);
    QPushButton* giveUpButton = new QPushButton(QStringLiteral("Не ждать"), this);
};

} // namespace

Automation::BusyView View(QWidget* parent)
{
    struct State {
        QPointer<QWidget> parent;
        QPointer<TBusyBox> box;
        QMetaObject::Connection giveUp;
    };
    auto state = std::make_shared<State>();
    state->parent = parent;
    Automation::BusyView view;
    view.show = [state](const QString& what, const std::function<void()>& giveUp) {
        if (!state->box)
            state->box = new TBusyBox(state->parent);
        QObject::disconnect(state->giveUp);
        // «Не ждать», Escape and closing the box all give up.
        state->giveUp = QObject::connect(state->box, &QDialog::finished, state->box, [giveUp] { giveUp(); });
        QObject::connect(state->box->giveUpButton, &QPushButton::clicked, state->box, &QDialog::reject,
            Qt::UniqueConnection);
        state->box->label->setText(what);
        state->box->setAccessibleDescription(what);
        state->box->show();
    };
    view.hide = [state] {
        if (!state->box)
            return;
        QObject::disconnect(state->giveUp);
        state->box->hide();
    };
    return view;
}

} // namespace BusyBox
