#pragma once

#include <QProcessEnvironment>

// The environment a build pipeline gives a child process: no display of any kind, so a
// command that needs one fails instead of quietly finding the test machine's.
inline QProcessEnvironment NoDisplayEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}
