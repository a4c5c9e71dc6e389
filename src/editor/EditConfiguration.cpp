#include "editor/EditConfiguration.h"

void EditConfiguration(QWidget*, ZOREN_OBJECT&) {}
