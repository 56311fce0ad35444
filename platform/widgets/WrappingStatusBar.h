#pragma once

class QStatusBar;

// A status bar whose message wraps onto more lines instead of being cut at the
// window's edge, and which a screen reader reads with the message.
namespace WrappingStatusBar {

void Install(QStatusBar* bar);

} // namespace WrappingStatusBar
