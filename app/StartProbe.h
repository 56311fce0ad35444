#pragma once

// For the start-up benchmark: with TESSORA_START_PROBE set in the
// environment, the program ends at the first pass of its event loop, after
// printing on standard error how many shared objects it has loaded by then.
void InstallStartProbe();
