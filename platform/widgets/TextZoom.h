#pragma once

#include <functional>

class QAbstractScrollArea;

// Larger or smaller text in the program's reading areas (the tips and the
// conclusion, «Почему?», the help): Ctrl+plus, Ctrl+minus, Ctrl+0 and Ctrl+wheel
// over any of them change all of them by one step, and the choice is kept.
namespace TextZoom {

// Steps above (or below) the text's own size; each step is one point.
inline constexpr int MinStep = -4;
inline constexpr int MaxStep = 20;

// Where the step is kept between runs: read once when the first area is
// attached, written at every change. Without one the step lasts the run.
void SetStore(std::function<int()> load, std::function<void(int)> save);

// The area's text follows the step from now on; its size at this call is step 0.
void Attach(QAbstractScrollArea* area);

// Applies the step to text loaded since: sizes a rich text gave itself.
void Refresh(QAbstractScrollArea* area);

int Step();
void SetStep(int step);

} // namespace TextZoom
