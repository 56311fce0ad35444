#include "platform/automation/BusyView.h"

namespace Automation {

namespace {

// Set and used on the GUI thread only.
BusyView g_view;

} // namespace

void SetBusyView(BusyView view)
{
    g_view = std::move(view);
}

const BusyView& CurrentBusyView()
{
    return g_view;
}

} // namespace Automation
