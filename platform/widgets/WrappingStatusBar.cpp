#include "platform/widgets/WrappingStatusBar.h"

#include <QEvent>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>

namespace WrappingStatusBar {

namespace {

constexpr int Margin = 4;

QRect MessageRect(const QStatusBar* bar)
{
    // The size grip keeps its corner.
    const int grip = bar->isSizeGripEnabled() ? bar->style()->pixelMetric(QStyle::PM_SizeGripSize) : 0;
    return bar->rect().adjusted(Margin, 0, -Margin - grip, 0);
}

class TWrapper final : public QObject {
public:
    explicit TWrapper(QStatusBar* bar)
        : QObject(bar)
        , FBar(bar)
        , FDesignHeight(bar->minimumHeight())
    {
        connect(bar, &QStatusBar::messageChanged, this, &TWrapper::Fit);
        bar->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            Fit(FBar->currentMessage());
        if (event->type() != QEvent::Paint || FBar->currentMessage().isEmpty())
            return false;
        QPainter painter(FBar);
        painter.setPen(FBar->palette().color(QPalette::WindowText));
        painter.drawText(MessageRect(FBar), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextWordWrap,
            FBar->currentMessage());
        return true;
    }

private:
    void Fit(const QString& message)
    {
        FBar->setAccessibleDescription(message);
        const int rect = FBar->fontMetrics()
                             .boundingRect(QRect(0, 0, MessageRect(FBar).width(), 10000), Qt::TextWordWrap, message)
                             .height();
        const int height = std::max(FDesignHeight, rect + 2 * Margin);
        if (height != FBar->minimumHeight())
            FBar->setMinimumHeight(height);
    }

    QStatusBar* FBar;
    int FDesignHeight;
};

} // namespace

void Install(QStatusBar* bar)
{
    new TWrapper(bar);
}

} // namespace WrappingStatusBar
