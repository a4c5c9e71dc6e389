#include "update/UpdateCommands.h"

std::string CheckForUpdate(QWidget*, bool) { return {}; }
void ShowAboutBox(QWidget*) {}
