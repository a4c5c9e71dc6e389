#include "update/ApplicationTerminate.h"

#include "storage/AppSettings.h"

#include <QCoreApplication>

bool QuitWithoutSaving = false;

void ApplicationTerminate() {
    QuitWithoutSaving = true;
    if (IniFile) IniFile->Modified = false;
    // exit(), not quit(): quit() would close every window first, and the main
    // window's close handling must not run.
    QCoreApplication::exit(0);
}
