#pragma once

#include "platform/automation/BusyView.h"

class QWidget;

// The busy view of the program's windows: a modal box over the window that
// says what the program waits for, with a moving bar and «Не ждать».
namespace BusyBox {

Automation::BusyView View(QWidget* parent);

} // namespace BusyBox
