#include "main_window/frm_main.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vellicor::QtDialogs dialogs;
    vellicor::frmMain window(dialogs);
    window.showMaximized();
    return QApplication::exec();
}
