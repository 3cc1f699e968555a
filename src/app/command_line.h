#pragma once

#include <QString>
#include <optional>

namespace vellicor {

// What main does once the command line is read.
struct StartUp {
    std::optional<int> exitCode; // set when a command has already run: exit with this code
    QString projectFile;         // otherwise start the editor, opening this project if not empty
};

// Reads the command line before any application object exists. Commands that need no display
// (--export, --export-png, --import-png, --import-sheet, --export-sheet, --import-header, --list,
// --help, --version, wrong usage) run here under a QCoreApplication, so no GUI platform is ever
// loaded for them. argc and argv are main's own: QCoreApplication keeps references.
StartUp HandleCommandLine(int& argc, char** argv);

} // namespace vellicor
