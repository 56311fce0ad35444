#pragma once

#include <QString>

class QWidget;

// What a screen reader says for a control: its accessible name and description.
namespace Accessibility {

// Names every control under the root that takes the focus and has no
// accessible name yet: from the label whose buddy it is, the form row's label,
// its own text, or else its hint; its hint, when it says more, becomes its
// description. Names set in a form or in code are kept.
void NameControls(QWidget* root);

// From now on every control is named as above when it is first shown, in
// windows and pages made later too; a derived description follows the hint,
// which the program rewrites as the control changes, each time it takes the focus.
void NameControlsOfEveryWindow();

// The name a control is given by NameControls, empty when it has none to give.
QString NameFor(const QWidget* control);

} // namespace Accessibility
