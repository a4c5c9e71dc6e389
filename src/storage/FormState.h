// A window's bounds and a list's column widths kept in the application's
// settings document IniFile; each call does nothing while IniFile is null.
#pragma once

#include <string_view>

class QTreeWidget;
class QWidget;

// Stores the outer bounds (frame included) under the section named after the form's objectName.
void SaveFormState(QWidget* form);
// Restores the stored outer bounds, then brings the top-left corner back onto the desktop.
// Without stored bounds the form keeps its designed place unless the corner is off the desktop.
void RestoreFormState(QWidget* form);
// Column widths of the list under its objectName, keys "<name>_col<n>".
void ReadColumns(std::string_view section, QTreeWidget* list);
void WriteColumns(std::string_view section, QTreeWidget* list);
