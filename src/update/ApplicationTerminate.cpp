#include "update/ApplicationTerminate.h"

#include <QCoreApplication>

#include "storage/AppSettings.h"

bool QuitWithoutSaving = false;

void ApplicationTerminate() {
    QuitWithoutSaving = true;
    if (IniFile) IniFile->Modified = false;
    // exit(), not quit(): quit() would close every window first, and the main
    // window's close handling must not run.
    QCoreApplication::exit(0);
}
