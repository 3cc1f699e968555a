#pragma once

#include <QLatin1String>
#include <QString>
#include <QTextStream>
#include <span>

namespace vellicor {

// Exit codes of the command line.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // a file was refused or could not be written
constexpr int kExitUsage = 2;  // the command line itself was wrong

struct HeadlessArguments {
    QString input;  // the value of the command's own option
    QString output; // the value of --output
};

// A command that runs to the end without a display, for build pipelines. It reports a fault
// as one line on `errors`, leaves its output as it was, and returns the exit code.
struct HeadlessCommand {
    QLatin1String option;    // the option that selects it, e.g. "export"
    QLatin1String valueName; // what the option's value is, e.g. "project"
    QLatin1String description;
    int (*run)(const HeadlessArguments& arguments, QTextStream& errors);
};

std::span<const HeadlessCommand> HeadlessCommands();

// --export PROJECT --output HEADER: the header that Compile writes for the project.
int ExportHeader(const HeadlessArguments& arguments, QTextStream& errors);

// --import-header HEADER --output PROJECT: the header's sprites added to the project, which is
// created when it does not exist.
int ImportHeader(const HeadlessArguments& arguments, QTextStream& errors);

} // namespace vellicor
