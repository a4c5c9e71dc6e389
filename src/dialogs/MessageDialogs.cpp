#include "dialogs/MessageDialogs.h"

void ShowInfoMessage(QWidget*, std::string_view, std::string_view) {}
void ShowErrorMessage(QWidget*, std::string_view, std::string_view) {}
bool AskConfirmation(QWidget*, std::string_view, std::string_view) { return false; }
