#include "platform/widgets/PanelScrollArea.h"

#include <QApplication>

#include <algorithm>

PanelScrollArea::PanelScrollArea(QWidget* panel, QWidget* parent)
    : QScrollArea(parent)
    , m_panel(panel)
{
    setFrameShape(QFrame::NoFrame);
    // The panel's controls take the focus, the area never: Tab keeps the panel's order.
    setFocusPolicy(Qt::NoFocus);
    // The holder fills the viewport and centres the panel by hand: the area's
    // own alignment rounds an odd difference the other way, a pixel off where
    // the panel always sat.
    setWidgetResizable(true);
    auto* holder = new QWidget(viewport());
    holder->setMinimumSize(panel->size());
    panel->setParent(holder);
    panel->show();
    setWidget(holder);
    // The page shows through as before: filled, a fractional scale would cover half the frame's edge.
    holder->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    panel->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        // A click's own control stays under the pointer, or the click would miss it.
        if (now && widget()->isAncestorOf(now) && QGuiApplication::mouseButtons() == Qt::NoButton)
            ensureWidgetVisible(now);
    });
}

// The focus leaves the panel while QWidget deletes it, after this area is gone.
PanelScrollArea::~PanelScrollArea()
{
    disconnect(qApp, nullptr, this, nullptr);
}

bool PanelScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    const bool resized = event->type() == QEvent::Resize && (watched == m_panel || watched == widget());
    if (resized && watched == m_panel) {
        widget()->setMinimumSize(m_panel->size());
        // The area measures its widget again: scroll bars come and go with the panel.
        QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
    }
    const bool handled = QScrollArea::eventFilter(watched, event);
    if (resized)
        placePanel();
    return handled;
}

void PanelScrollArea::placePanel()
{
    const QSize room = widget()->size() - m_panel->size();
    m_panel->move(std::max(0, room.width() / 2), std::max(0, room.height() / 2));
}
