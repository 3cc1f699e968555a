// Writes a file through the application's one write path and prints what came of it, so tests can
// run the write in a process of its own, under a preloaded fault shim.
//   write_probe TARGET SOURCE   writes the bytes of the file SOURCE to TARGET
#include "export/header_file.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    QFile source(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray bytes = source.readAll();
    const auto reason =
        vellicor::WriteFileAtomically(QString::fromLocal8Bit(argv[1]), bytes.toStdString());
    std::puts(reason ? qPrintable(*reason) : "written");
    return 0;
}
