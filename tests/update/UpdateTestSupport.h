// Helpers of the update tests: an installer script that leaves a marker file,
// running a command inside the event loop as the main window does, and
// waiting for a file that a started program writes.
#pragma once

#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "update/ApplicationTerminate.h"

// An installer that leaves a marker file, padded with a comment the shell never reads.
inline std::string Installer(const std::string& marker, std::size_t size) {
    std::string script = "#!/bin/sh\necho installed > '" + marker + "'\nexit 0\n#";
    if (script.size() < size) script.append(size - script.size() - 1, 'x');
    return script + "\n";
}

// Runs body inside the application's event loop, as a command of the main
// window runs. True when the body asked the loop to end through the update's
// quit path; otherwise the loop is ended here.
inline bool RunsIntoQuitPath(const std::function<void()>& body) {
    QTimer::singleShot(0, qApp, [&] {
        body();
        if (!QuitWithoutSaving) QCoreApplication::exit(1);
    });
    return QApplication::exec() == 0 && QuitWithoutSaving;
}

inline bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 1000 && !fs1251::FileExists(path); ++i) ::usleep(10000);
    return fs1251::FileExists(path);
}
