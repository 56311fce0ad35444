#include "Pictures.h"

void drawPictures(const QString&) {}
