// The main window's "Помошь" commands: the update check and the about box.
#pragma once

#include <string>

class QWidget;

// Runs the update check; returns the status text for the status bar (1251).
std::string CheckForUpdate(QWidget* owner, bool quiet);
// Shows TFormAbout modally.
void ShowAboutBox(QWidget* owner);
