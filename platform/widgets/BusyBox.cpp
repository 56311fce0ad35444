#include "platform/widgets/BusyBox.h"

#include "platform/widgets/MessageBoxes.h"

#include <QPointer>
#include <QProgressDialog>

#include <memory>

namespace BusyBox {

Automation::BusyView View(QWidget* parent)
{
    auto shown = std::make_shared<QPointer<QProgressDialog>>();
    Automation::BusyView view;
    view.show = [parent = QPointer<QWidget>(parent), shown](
                    const QString& what, const std::function<void()>& giveUp) {
        auto* box = new QProgressDialog(what, QStringLiteral("Не ждать"), 0, 0, parent);
        box->setObjectName(QStringLiteral("dlgBusy"));
        box->setWindowTitle(MessageBoxes::title());
        box->setWindowModality(Qt::ApplicationModal);
        box->setAutoReset(false);
        box->setAutoClose(false);
        box->setMinimumDuration(0);
        QObject::connect(box, &QProgressDialog::canceled, box, [giveUp] { giveUp(); });
        box->show();
        *shown = box;
    };
    view.hide = [shown] {
        if (QProgressDialog* box = shown->data()) {
            box->hide();
            box->deleteLater();
        }
        *shown = nullptr;
    };
    return view;
}

} // namespace BusyBox
