#include "platform/widgets/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>

namespace {

// Marks a description taken from the hint, so that it follows the hint.
constexpr const char* DerivedDescription = "accessibleDescriptionFromHint";

QString Plain(QString text)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    text.remove(tag);
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

QString BuddyText(const QWidget* control)
{
    for (const QLabel* label : control->window()->findChildren<QLabel*>()) {
        if (label->buddy() == control)
            return Plain(label->text());
    }
    return {};
}

QString FormRowText(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    const auto* form = parent ? qobject_cast<const QFormLayout*>(parent->layout()) : nullptr;
    const auto* label = form ? qobject_cast<const QLabel*>(form->labelForField(const_cast<QWidget*>(control))) : nullptr;
    return label ? Plain(label->text()) : QString();
}

QString OwnText(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return Plain(button->text());
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return Plain(group->title());
    return {};
}

// The line edit inside a spin box or a combo box speaks for its owner.
bool IsPartOfAnother(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    return qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent);
}

// The view that takes the focus for a scroll area, and a combo box's list, carry their owner's name.
const QWidget* Owner(const QWidget* control)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(control->parentWidget());
    if (area && area->viewport() == control)
        return area;
    for (const QWidget* up = control->parentWidget(); up; up = up->parentWidget()) {
        if (qobject_cast<const QComboBox*>(up))
            return up;
    }
    return nullptr;
}

bool TakesFocus(const QWidget* control)
{
    return control->focusPolicy() != Qt::NoFocus && !IsPartOfAnother(control)
        && (!control->isWindow() || Owner(control));
}

void Describe(QWidget* control)
{
    const bool derived = control->property(DerivedDescription).toBool();
    if (!derived && !control->accessibleDescription().isEmpty())
        return;
    const QString hint = Plain(control->statusTip().isEmpty() ? control->toolTip() : control->statusTip());
    if (hint == control->accessibleName() || (hint.isEmpty() && !derived))
        return;
    control->setAccessibleDescription(hint);
    control->setProperty(DerivedDescription, true);
}

void NameControl(QWidget* control)
{
    if (!TakesFocus(control))
        return;
    if (control->accessibleName().isEmpty()) {
        const QString name = Accessibility::NameFor(control);
        // A button's own text is already what Qt says; setting it would freeze it.
        if (name != OwnText(control))
            control->setAccessibleName(name);
    }
    Describe(control);
    // Its list is shown only when it drops down, but read before; the edit
    // of an editable one is a control of its own to a screen reader.
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->view()) {
        NameControl(combo->view());
        if (QLineEdit* edit = combo->lineEdit(); edit && edit->accessibleName().isEmpty())
            edit->setAccessibleName(Accessibility::NameFor(combo));
    }
}

class TNamer final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        // At its showing, not at its polishing: a form may be polished before
        // its texts are set, and a window may be made before this was installed.
        if ((type == QEvent::Show || type == QEvent::FocusIn) && watched->isWidgetType()) {
            auto* control = static_cast<QWidget*>(watched);
            if (type == QEvent::Show)
                NameControl(control);
            else if (control->property(DerivedDescription).toBool())
                Describe(control);
        }
        return false;
    }
};

} // namespace

namespace Accessibility {

QString NameFor(const QWidget* control)
{
    if (const QWidget* owner = Owner(control))
        return owner->accessibleName().isEmpty() ? NameFor(owner) : owner->accessibleName();
    for (const QString& name : { BuddyText(control), FormRowText(control), OwnText(control),
             Plain(control->statusTip()), Plain(control->toolTip()), Plain(control->whatsThis()) }) {
        if (!name.isEmpty())
            return name;
    }
    return {};
}

void NameControls(QWidget* root)
{
    NameControl(root);
    for (QWidget* control : root->findChildren<QWidget*>())
        NameControl(control);
}

void NameControlsOfEveryWindow()
{
    static TNamer* namer = nullptr;
    if (namer)
        return;
    namer = new TNamer(qApp);
    qApp->installEventFilter(namer);
}

} // namespace Accessibility
