#pragma once

class QWidget;

// For the start-up benchmark: with TESSORA_START_PROBE set in the
// environment, the program ends once the window has been painted for the
// first time, after printing on standard error what that start cost it so
// far: the monotonic clock's reading, CPU time, peak resident memory and the
// shared objects loaded. What the program does on its way out is not counted.
void InstallStartProbe(QWidget* window);
