// The 16 x 16 row picture of the controller table: a network client.
#pragma once

#include <QIcon>

QIcon ClientNetworkIcon();
