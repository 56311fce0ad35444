#pragma once

#include <QString>

#include <array>

// Base names of each page's tip text (Common/<name>.txt) and picture
// (Images/<name>.jpg), indexed by page tag 1..15; entry 0 is empty.
extern const std::array<QString, 16> PageFileNames;
