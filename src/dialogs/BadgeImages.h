// The two 48 x 48 badges of the message windows: 0 a green circle with a white
// tick, 1 a red circle with a white cross.
#pragma once

#include <QIcon>
#include <QList>

// Image 0 (tick) or 1 (cross); any other index gives the cross.
QIcon BadgeIcon(int index);
// Both badges in image-list order.
QList<QIcon> BadgeImageList();
