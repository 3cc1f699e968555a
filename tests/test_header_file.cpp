// The one write path, against a failing file system: a child process writes through it under a
// preloaded shim that fails write, fsync or close on cue, or refuses new files in the folder.
#include "export/header_file.h"
#include "export/header_text.h"
#include "project/project_file.h"
#include "support/read_all.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vellicor;

namespace {

const QByteArray kOld = "Old_PlaneDark = };\r\nOld_PlaneLight = };\r\nOld_PlaneMask = };\r\n\r\n";

ino_t Inode(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

} // namespace

class TestHeaderFile : public QObject {
    Q_OBJECT
  private slots:
    void failuresLeaveTheOldFile_data() {
        QTest::addColumn<QString>("call"); // the call that fails, or "none"
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("noNewFiles"); // the folder takes no new file: written in place
        QTest::newRow("write: no space") << "write" << ENOSPC << 66 << false;
        QTest::newRow("fsync: I/O error") << "fsync" << EIO << 66 << false;
        QTest::newRow("close: no space") << "close" << ENOSPC << 66 << false;
        QTest::newRow("30 KiB, write: I/O error") << "write" << EIO << 30 * 1024 << false;
        QTest::newRow("no fault") << "none" << 0 << 66 << false;
        QTest::newRow("in place, no fault") << "none" << 0 << 66 << true;
        QTest::newRow("in place, close: I/O error") << "close" << EIO << 66 << true;
    }

    void failuresLeaveTheOldFile() {
        QFETCH(QString, call);
        QFETCH(int, error);
        QFETCH(int, size);
        QFETCH(bool, noNewFiles);
        QTemporaryDir dir;
        const QString folder = dir.filePath("watched");
        const QString target = folder + "/sprites.h";
        const QString source = dir.filePath("source.h");
        const QByteArray header =
            QByteArray("New_PlaneDark = };\r\n").repeated(size / 20 + 1).left(size);
        QVERIFY(QDir().mkdir(folder) && WriteAll(target, kOld) && WriteAll(source, header));
        const ino_t oldInode = Inode(target);

        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C");
        env.insert("LD_PRELOAD", FAULT_SHIM);
        // A sanitizer build's runtime wants to be loaded first; the shim comes first on purpose.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        env.insert("VELLICOR_FAULT_FOLDER", folder);
        env.insert("VELLICOR_FAULT_CALL", call);
        env.insert("VELLICOR_FAULT_ERRNO", QString::number(error));
        if (noNewFiles)
            env.insert("VELLICOR_FAULT_NO_NEW", "1");
        probe.setProcessEnvironment(env);
        probe.start(WRITE_PROBE, {target, source});
        QVERIFY(probe.waitForFinished(30000));
        QCOMPARE(probe.readAllStandardError(), QByteArray());
        QCOMPARE(probe.exitCode(), 0);
        QString said = call == "none"    ? "written"
                       : error == ENOSPC ? "No space left on device"
                                         : "Input/output error";
        if (noNewFiles && call != "none")
            said += "\nIts folder allows no new files, so it was written in place and may now be "
                    "incomplete.";
        QCOMPARE(QString::fromLocal8Bit(probe.readAllStandardOutput()).trimmed(), said);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden),
                 QStringList{"sprites.h"});
        // In a folder that takes no new file the file is its own; elsewhere a new one replaces it.
        QCOMPARE(Inode(target) == oldInode, noNewFiles || call != "none");
        if (call == "none" || !noNewFiles)
            QCOMPARE(ReadAll(target), call == "none" ? header : kOld);
    }

    // --export writes the header as it makes it, chunk by chunk: the bytes are Compile's, and a
    // write that fails part way through (at the process's file size limit) leaves the old file.
    void exportIsStreamed_data() {
        QTest::addColumn<int>("limit"); // bytes a file may hold; 0 for no limit
        QTest::newRow("no limit") << 0;
        QTest::newRow("limit after two chunks") << 600 * 1024;
    }

    void exportIsStreamed() {
        QFETCH(int, limit);
        QTemporaryDir dir;
        SpriteTable table;
        for (int i = 0; i < 1000; ++i)
            table.Record(table.Append("Sprite" + std::to_string(i))).Size = 32;
        const QByteArray header = QByteArray::fromStdString(HeaderText(table));
        QVERIFY(header.size() > qMax(2 * 256 * 1024, limit)); // more than two chunks
        const QString target = dir.filePath("big.h");
        QVERIFY(WriteAll(dir.filePath("big.vellicor"), ProjectFileBytes("Big", table)) &&
                WriteAll(target, kOld));
        QProcess program;
        program.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN); // so a write beyond the limit fails with EFBIG
            const rlimit size{limit > 0 ? rlim_t(limit) : RLIM_INFINITY, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &size);
        });
        program.start(VELLICOR_PROGRAM,
                      {"--export", dir.filePath("big.vellicor"), "--output", target});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.readAllStandardError(),
                 limit == 0 ? QByteArray()
                            : "vellicor: could not write the header \"" + target.toLocal8Bit() +
                                  "\": " + qt_error_string(EFBIG).toLocal8Bit() + "\n");
        QCOMPARE(program.exitCode(), limit == 0 ? 0 : 1);
        QCOMPARE(ReadAll(target), limit == 0 ? header : kOld);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"big.h", "big.vellicor"}));
    }

    void followsALinkToAFile() {
        QTemporaryDir dir;
        const QString file = dir.filePath("real.h");
        const QString link = dir.filePath("link.h");
        QVERIFY(WriteAll(file, kOld) && QFile::link(file, link));
        QCOMPARE(WriteFileAtomically(link, "new\r\n"), std::nullopt);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadAll(file), QByteArray("new\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestHeaderFile)
#include "test_header_file.moc"
