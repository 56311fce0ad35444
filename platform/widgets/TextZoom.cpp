#include "platform/widgets/TextZoom.h"

#include "platform/widgets/TextRuns.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QKeySequence>
#include <QPointer>
#include <QTextBrowser>
#include <QWheelEvent>

#include <algorithm>

namespace TextZoom {

namespace {

constexpr const char* BaseSize = "textZoomBaseSize";
constexpr int BaseSizeFormat = QTextFormat::UserProperty + 0x200;

struct TState {
    std::function<int()> load;
    std::function<void(int)> save;
    bool loaded = false;
    int step = 0;
    QList<QPointer<QAbstractScrollArea>> areas;
};

TState& State()
{
    static TState state;
    return state;
}

// Rich text with sizes of its own (an explanation file, a help page) follows the step too.
void ApplyToSizedText(QTextEdit* edit)
{
    if (auto* browser = qobject_cast<QTextBrowser*>(edit); browser && !browser->source().isEmpty()) {
        browser->reload(); // its style sheet is read again at the new size
        return;
    }
    ChangeTextRuns(
        edit->document(),
        [](const QTextCharFormat& format) { return format.hasProperty(QTextFormat::FontPointSize); },
        [](QTextCharFormat& format) {
            if (!format.hasProperty(BaseSizeFormat))
                format.setProperty(BaseSizeFormat, format.fontPointSize());
            format.setFontPointSize(std::max(1.0, format.property(BaseSizeFormat).toDouble() + Step()));
        });
}

void Apply(QAbstractScrollArea* area)
{
    QFont font = area->font();
    font.setPointSizeF(std::max(1.0, area->property(BaseSize).toDouble() + Step()));
    area->setFont(font);
    if (auto* edit = qobject_cast<QTextEdit*>(area))
        ApplyToSizedText(edit);
}

// Ctrl+wheel over the text, not over its scroll bar, as in a browser.
class TWheelZoom final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
            return false;
        Q_UNUSED(watched);
        SetStep(Step() + (wheel->angleDelta().y() > 0 ? 1 : -1));
        return true;
    }
};

void AddKeys(QAbstractScrollArea* area)
{
    const struct {
        QList<QKeySequence> keys;
        int change;
    } steps[] = {
        { { QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal) }, +1 },
        { { QKeySequence::ZoomOut }, -1 },
        { { QKeySequence(Qt::CTRL | Qt::Key_0) }, 0 },
    };
    for (const auto& [keys, change] : steps) {
        auto* action = new QAction(area);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(action, &QAction::triggered, area, [change = change] { SetStep(change == 0 ? 0 : Step() + change); });
        area->addAction(action);
    }
}

} // namespace

void SetStore(std::function<int()> load, std::function<void(int)> save)
{
    State().load = std::move(load);
    State().save = std::move(save);
    State().loaded = false;
}

int Step()
{
    TState& state = State();
    if (!state.loaded && state.load) {
        state.loaded = true;
        state.step = std::clamp(state.load(), MinStep, MaxStep);
    }
    return state.step;
}

void SetStep(int step)
{
    step = std::clamp(step, MinStep, MaxStep);
    if (step == Step())
        return;
    TState& state = State();
    state.step = step;
    if (state.save)
        state.save(step);
    state.areas.removeAll(nullptr);
    for (QAbstractScrollArea* area : std::as_const(state.areas))
        Apply(area);
}

void Refresh(QAbstractScrollArea* area)
{
    Apply(area);
}

void Attach(QAbstractScrollArea* area)
{
    area->setProperty(BaseSize, area->font().pointSizeF());
    State().areas << area;
    area->viewport()->installEventFilter(new TWheelZoom(area));
    AddKeys(area);
    Apply(area);
}

} // namespace TextZoom
