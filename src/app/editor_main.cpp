#include "app/command_line.h"
#include "main_window/frm_main.h"
#include "main_window/view_workspace.h"

#include <QApplication>
#include <QTimer>

// The editor, which `vellicor` starts in its own process. Started directly it reads the
// command line the same way, so it is never a different program by another name.
int main(int argc, char* argv[]) {
    const vellicor::StartUp start = vellicor::HandleCommandLine(argc, argv);
    if (start.exitCode)
        return *start.exitCode;
    QApplication app(argc, argv);
    // Where the user's settings and recovery files live.
    QApplication::setOrganizationName(QStringLiteral("Vellicor"));
    QApplication::setApplicationName(QStringLiteral("Vellicor"));
    // So the desktop matches the windows to the installed menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(VELLICOR_APP_ID));
    vellicor::QtDialogs dialogs;
    vellicor::frmMain window(dialogs);
    vellicor::ShowWorkspace(window);
    // Queued, so looking for unsaved work never keeps the window from showing.
    QTimer::singleShot(0, &window, [&] { window.FinishStartUp(start.projectFile); });
    return QApplication::exec();
}
