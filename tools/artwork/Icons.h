#pragma once

#include <QString>

// Writes every icon below `resourceFolder` (resources/icons).
void drawIcons(const QString& resourceFolder);
