// Pictures of the update and about windows, drawn in code: the program's own
// picture and the picture of the "Обновить" button.
#pragma once

#include <QPixmap>

// The program's picture: a controller box with an antenna and signal arcs.
QPixmap DrawProgramPicture(int size);
// A download arrow over a tray, for the upgrade button.
QPixmap DrawUpgradePicture(int size);
