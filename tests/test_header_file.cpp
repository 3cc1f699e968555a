// The one write path, against a failing file system: a child process writes through it under a
// preloaded shim that fails write, fsync or close on cue, or refuses new files in the folder.
#include "export/header_file.h"
#include "main_window/frm_main.h"
#include "support/read_all.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vellicor;

namespace {

const QByteArray kOld = "Old_PlaneDark = };\r\nOld_PlaneLight = };\r\nOld_PlaneMask = };\r\n\r\n";

QByteArray HeaderOfSize(int size) {
    QByteArray bytes;
    for (int row = 0; bytes.size() < size; ++row)
        bytes += "Ball" + QByteArray::number(row) + "_PlaneDark = {{0xC0},{0x00}};\r\n";
    return bytes.left(size);
}

ino_t Inode(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestHeaderFile : public QObject {
    Q_OBJECT
  private slots:
    void failuresLeaveTheOldFile_data();
    void failuresLeaveTheOldFile();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void followsALinkToAFile();
    void compileNamesTheFileAndTheReason();
};

void TestHeaderFile::failuresLeaveTheOldFile_data() {
    QTest::addColumn<QString>("call"); // the call that fails, or "none"
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("folderTakesNoNewFile");
    const QList<std::pair<int, QString>> errors = {{ENOSPC, "No space left on device"},
                                                   {EIO, "Input/output error"}};
    for (const int size : {66, 30 * 1024}) {
        for (const bool noNew : {false, true}) {
            const char* folder = noNew ? "read-only folder" : "folder";
            QTest::addRow("%s, %d bytes, no fault", folder, size)
                << "none" << 0 << "written" << size << noNew;
            for (const char* call : {"write", "fsync", "close"})
                for (const auto& [error, reason] : errors)
                    if (!noNew || error == ENOSPC)
                        QTest::addRow("%s, %d bytes, %s: %s", folder, size, call, strerror(error))
                            << call << error << reason << size << noNew;
        }
    }
}

void TestHeaderFile::failuresLeaveTheOldFile() {
    QFETCH(QString, call);
    QFETCH(int, error);
    QFETCH(QString, reason);
    QFETCH(int, size);
    QFETCH(bool, folderTakesNoNewFile);
    QTemporaryDir dir;
    const QString folder = dir.filePath("watched");
    const QString target = folder + "/sprites.h";
    const QString source = dir.filePath("source.h");
    const QByteArray header = HeaderOfSize(size);
    QVERIFY(QDir().mkdir(folder) && Write(target, kOld) && Write(source, header));
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
    if (folderTakesNoNewFile)
        env.insert("VELLICOR_FAULT_NO_NEW", "1");
    probe.setProcessEnvironment(env);
    probe.start(WRITE_PROBE, {target, source});
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.readAllStandardError(), QByteArray());
    QCOMPARE(probe.exitCode(), 0);
    const QString said = QString::fromLocal8Bit(probe.readAllStandardOutput()).trimmed();

    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden),
             QStringList{"sprites.h"});
    // In a folder that takes no new file the file is its own; elsewhere a new one replaces it.
    QCOMPARE(Inode(target) == oldInode, folderTakesNoNewFile || call != "none");
    if (call == "none") {
        QCOMPARE(said, reason);
        QCOMPARE(ReadAll(target), header);
    } else if (folderTakesNoNewFile) {
        QCOMPARE(said, reason + "\nIts folder allows no new files, so it was written in place and "
                                "may now be incomplete.");
    } else {
        QCOMPARE(said, reason);
        QCOMPARE(ReadAll(target), kOld);
    }
}

void TestHeaderFile::refusesWhatIsNotARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("socket") << "socket";
    QTest::newRow("device like /dev/full") << "device";
    QTest::newRow("folder") << "folder";
}

void TestHeaderFile::refusesWhatIsNotARegularFile() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("node.h");
    const QByteArray native = QFile::encodeName(path);
    int reader = -1;
    int socket = -1;
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(native.constData(), 0666), 0);
        // A reader, so that a wrong write would not block but leave its bytes in the pipe.
        reader = ::open(native.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
    } else if (kind == "socket") {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(native.size() < static_cast<int>(sizeof address.sun_path));
        std::copy(native.begin(), native.end(), address.sun_path);
        socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    } else if (kind == "device") {
        // The same device as /dev/full, made in the temporary folder so a fault harms nothing.
        if (::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("Making a device node needs privileges this run does not have.");
    } else {
        QVERIFY(QDir().mkdir(path));
    }
    struct stat before {};
    QCOMPARE(::lstat(native.constData(), &before), 0);

    const auto reason = WriteFileAtomically(path, "Ball_PlaneDark = };\r\n");
    QCOMPARE(reason, std::optional<QString>("It is not a regular file."));
    struct stat after {};
    QCOMPARE(::lstat(native.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList{"node.h"});
    if (reader >= 0) {
        char byte = 0;
        QVERIFY(::read(reader, &byte, 1) <= 0);
    }
    for (const int descriptor : {reader, socket})
        if (descriptor >= 0)
            ::close(descriptor);
}

void TestHeaderFile::followsALinkToAFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath("real.h");
    const QString link = dir.filePath("link.h");
    QVERIFY(Write(file, kOld) && QFile::link(file, link));
    QCOMPARE(WriteFileAtomically(link, "new\r\n"), std::nullopt);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadAll(file), QByteArray("new\r\n"));
}

void TestHeaderFile::compileNamesTheFileAndTheReason() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.h");
    const QString missing = dir.filePath("missing/out.h");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
    ScriptedDialogs dialogs;
    frmMain main(dialogs);
    dialogs.inputAnswers << "Game"
                         << "Ball";
    main.NewProject();
    main.NewSprite();
    dialogs.saveAnswers << pipe << missing;
    main.Compile();
    main.Compile();
    QStringList messages;
    for (const auto& shown : dialogs.shown)
        if (shown.kind == "message")
            messages << shown.title + ": " + shown.text;
    QCOMPARE(messages, QStringList({"Error: The header could not be written to \"" + pipe +
                                        "\".\nIt is not a regular file.",
                                    "Error: The header could not be written to \"" + missing +
                                        "\".\nNo such file or directory"}));
}

QTEST_MAIN(TestHeaderFile)
#include "test_header_file.moc"
