#pragma once

#include <QString>

// Writes the page pictures and the program picture into `imagesFolder` (data/Images).
void drawPictures(const QString& imagesFolder);
