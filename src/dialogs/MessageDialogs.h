// The tool's own message window and yes/no dialog. Texts and captions are
// Windows-1251 bytes, as everywhere in the model.
#pragma once

#include <string_view>

class QWidget;

// Information: button "  ОK" with the tick badge; returns when the window closes.
void ShowInfoMessage(QWidget* owner, std::string_view text, std::string_view caption);
// Error: button "  Закрыть" with the cross badge.
void ShowErrorMessage(QWidget* owner, std::string_view text, std::string_view caption);
// True only when the user pressed "Да".
bool AskConfirmation(QWidget* owner, std::string_view question, std::string_view caption);
