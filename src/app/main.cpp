#include "app/command_line.h"
#include "app/editor_launch.h"

// The program people run. It links no window library, so a command in a build pipeline starts
// as fast as a bare Qt program; the editor is a program of its own, started in this process.
int main(int argc, char* argv[]) {
    const vellicor::StartUp start = vellicor::HandleCommandLine(argc, argv);
    if (start.exitCode)
        return *start.exitCode;
    return vellicor::StartEditor(argv);
}
