#include "app/command_line.h"
#include "main_window/frm_main.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Decided before any application object exists: headless commands never load a GUI.
    const vellicor::StartUp start = vellicor::HandleCommandLine(argc, argv);
    if (start.exitCode)
        return *start.exitCode;
    QApplication app(argc, argv);
    vellicor::QtDialogs dialogs;
    vellicor::frmMain window(dialogs);
    window.showMaximized();
    return QApplication::exec();
}
