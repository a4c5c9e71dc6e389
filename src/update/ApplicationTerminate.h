// Ending the program once an installer has been started: the event loop is
// left without closing the windows, so the main window's close handling,
// which would store the register and the settings, does not run.
#pragma once

// Set by ApplicationTerminate; the main window's close handling and the entry
// point look at it and then store nothing.
extern bool QuitWithoutSaving;

// Sets QuitWithoutSaving, drops the unsaved changes of IniFile (so that its
// destruction writes nothing) and asks the event loop to end with code 0. The
// program ends as soon as the running command has returned.
void ApplicationTerminate();
