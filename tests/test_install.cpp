// An install as a packager makes it: `cmake --install` into a temporary DESTDIR under a prefix
// of its own, then the desktop's own validators and readers on what it wrote.
#include "main_window/frm_main.h"
#include "model/sprite_table.h"
#include "project/project_file.h"
#include "support/no_display.h"
#include "support/read_all.h"
#include "support/scripted_dialogs.h"

#include <QDirIterator>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

using namespace vellicor;

namespace {

const QString kAppId = QStringLiteral(VELLICOR_APP_ID);
const QString kPrefix = QStringLiteral("/opt/vellicor");
const QString kProjectType = QStringLiteral("application/x-vellicor-project");
const QString kDesktopEntry = QStringLiteral("share/applications/%1.desktop").arg(kAppId);
const QString kMetainfo = QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId);
const QString kMimePackage = QStringLiteral("share/mime/packages/%1.xml").arg(kAppId);
const QString kManual = QStringLiteral("share/man/man1/vellicor.1");
const QString kProgram = QStringLiteral("bin/vellicor");
const QString kEditor = QStringLiteral("libexec/vellicor/vellicor-editor");
const QList<int> kIconSizes = {16, 32, 48, 64, 128, 256};

struct Run {
    int exitCode = -1;
    QByteArray output; // stdout and stderr together
};

Run RunProgram(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    static constexpr rlimit kNoCoreFile{}; // for a program that aborts on purpose
    process.setChildProcessModifier([] { ::setrlimit(RLIMIT_CORE, &kNoCoreFile); });
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {-1, program.toUtf8() + " did not run: " + process.errorString().toUtf8()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll()};
}

QString IconPath(int size) {
    return QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId);
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir stage_;    // the DESTDIR
    QTemporaryDir mimeRoot_; // a data folder holding only our MIME package, compiled
    QByteArray mimeProblem_;

    QString Installed(const QString& relative) const {
        return stage_.path() + kPrefix + u'/' + relative;
    }
    QImage InstalledIcon(int size) const {
        return QImage(Installed(IconPath(size))).convertToFormat(QImage::Format_ARGB32);
    }

  private slots:
    void initTestCase() {
        QVERIFY(stage_.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), stage_.path());
        // The component keeps this install's manifest apart from that of a real `make install`,
        // which `make uninstall` reads.
        const Run install = RunProgram(
            QStringLiteral(CMAKE_COMMAND),
            {QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--component"),
             QStringLiteral("Unspecified"), QStringLiteral("--prefix"), kPrefix},
            environment);
        QVERIFY2(install.exitCode == 0, install.output.constData());

        // The MIME package as the desktop reads it: compiled by update-mime-database. Qt finds it
        // in the data folders, ours before the system's.
        const QString mime = mimeRoot_.path() + QStringLiteral("/mime");
        QVERIFY(QDir().mkpath(mime + QStringLiteral("/packages")));
        QVERIFY(QFile::copy(Installed(kMimePackage),
                            mime + QStringLiteral("/packages/%1.xml").arg(kAppId)));
        qputenv("XDG_DATA_DIRS", (mimeRoot_.path() + QStringLiteral(":/usr/share")).toUtf8());
        const Run update = RunProgram(QStringLiteral("update-mime-database"), {mime});
        if (update.exitCode != 0 || !update.output.isEmpty())
            mimeProblem_ = "update-mime-database: " + update.output;
    }

    // Uninstalling removes what the manifest lists, so it must list every file the install made.
    void installsEveryFileAndNothingElse() {
        const QString scalable = QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg");
        QStringList expected = {kProgram,     kEditor, kDesktopEntry,       kMetainfo,
                                kMimePackage, kManual, scalable.arg(kAppId)};
        for (int size : kIconSizes)
            expected.append(IconPath(size));
        expected.sort();

        QStringList onDisk;
        QDirIterator files(stage_.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext())
            onDisk.append(files.next().mid(stage_.path().size() + kPrefix.size() + 1));
        onDisk.sort();
        QCOMPARE(onDisk, expected);

        const QByteArray manifest =
            ReadAll(QStringLiteral(BUILD_DIR "/install_manifest_Unspecified.txt"));
        QStringList listed = QString::fromUtf8(manifest).split(u'\n', Qt::SkipEmptyParts);
        for (QString& path : listed) // the manifest's paths leave out DESTDIR
            path = path.startsWith(kPrefix + u'/') ? path.mid(kPrefix.size() + 1) : u'?' + path;
        listed.sort();
        QCOMPARE(listed, expected);
        QVERIFY(QFileInfo(Installed(kProgram)).isExecutable());
        QVERIFY(QFileInfo(Installed(kEditor)).isExecutable());
    }

    // The program on the PATH needs no window library; given no command it becomes the editor
    // installed beside it, in the same process and with the same arguments.
    void programStartsTheInstalledEditor() {
        const Run needs = RunProgram(QStringLiteral("readelf"), {"-d", Installed(kProgram)});
        QVERIFY2(needs.output.contains("[libQt6Core.so.6]") && !needs.output.contains("libQt6Gui"),
                 needs.output.constData());
        // With a platform that does not exist, the editor's QApplication stops at once.
        const Run editor = RunProgram(Installed(kProgram), {"-platform", "vellicor-none"});
        QVERIFY2(editor.output.contains("plugin \"vellicor-none\""), editor.output.constData());
        // Moved away from the editor, it says where it looked.
        const QTemporaryDir alone;
        QVERIFY(QFile::copy(Installed(kProgram), alone.filePath("vellicor")));
        const Run lost = RunProgram(alone.filePath("vellicor"), {});
        QCOMPARE(lost.exitCode, 127);
        QVERIFY2(
            lost.output.startsWith("vellicor: could not start the editor \"/") &&
                lost.output.endsWith("/../" + kEditor.toUtf8() + "\": No such file or directory\n"),
            lost.output.constData());
    }

    void validatorsPass_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("mustBeSilent"); // a warning fails too
        QTest::newRow("menu entry")
            << "desktop-file-validate" << QStringList() << kDesktopEntry << true;
        QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net"}
                                  << kMetainfo << false;
        QTest::newRow("MIME package")
            << "xmllint" << QStringList{"--noout"} << kMimePackage << true;
        QTest::newRow("manual page")
            << "groff" << QStringList{"-man", "-Tutf8", "-ww", "-z"} << kManual << true;
    }

    void validatorsPass() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(bool, mustBeSilent);
        if (QStandardPaths::findExecutable(program).isEmpty())
            QFAIL(qPrintable(program + " is missing: scripts/install-deps.sh installs it"));
        const Run check = RunProgram(program, arguments << Installed(file));
        QVERIFY2(check.exitCode == 0, check.output.constData());
        if (mustBeSilent)
            QVERIFY2(check.output.isEmpty(), check.output.constData());
    }

    // The desktop ties the pieces together by name: a mismatch leaves the entry without its icon,
    // its file type or its catalogue page, and no validator notices.
    void piecesAgreeByName() {
        const QStringList entry = QString::fromUtf8(ReadAll(Installed(kDesktopEntry))).split(u'\n');
        for (const QString& line : {QStringLiteral("Exec=vellicor %f"), "Icon=" + kAppId,
                                    "MimeType=" + kProjectType + ';'})
            QVERIFY2(entry.contains(line), qPrintable(line));
        QVERIFY(!entry.filter(QRegularExpression(QStringLiteral("^Categories=(.*;)?Graphics;")))
                     .isEmpty());

        const QString metainfo = QString::fromUtf8(ReadAll(Installed(kMetainfo)));
        for (const QString& element :
             {"<id>" + kAppId + "</id>",
              "<launchable type=\"desktop-id\">" + kAppId + ".desktop</launchable>",
              QStringLiteral("<binary>vellicor</binary>"),
              "<mediatype>" + kProjectType + "</mediatype>",
              QStringLiteral("<release version=\"" VELLICOR_VERSION "\"")})
            QVERIFY2(metainfo.contains(element), qPrintable(element));
    }

    void projectFilesAreKnownByNameAndContent() {
        QVERIFY2(mimeProblem_.isEmpty(), mimeProblem_.constData());
        const QMimeDatabase database;
        const QMimeType byName = database.mimeTypeForFile(QStringLiteral("Demo.vellicor"),
                                                          QMimeDatabase::MatchExtension);
        QCOMPARE(byName.name(), kProjectType);
        QVERIFY(byName.inherits(QStringLiteral("application/json")));

        SpriteTable table;
        table.Append("Ball");
        const std::pair<QByteArray, bool> contents[] = {
            {ProjectFileBytes("Demo", table), true},
            {R"({"name": "Demo", "version": 1, "sprites": [], "format": "vellicor-project"})",
             true},
            {R"({"format": "other", "name": "Demo"})", false}};
        for (const auto& [content, isProject] : contents)
            QVERIFY2((database.mimeTypeForData(content).name() == kProjectType) == isProject,
                     content.left(40).constData());
    }

    // Drawn on a 16-pixel grid, every size is the smallest one enlarged: no pixel blurred, and only
    // the editor's own colours.
    void iconsAreCrispAtEverySize() {
        const QImage smallest = InstalledIcon(16);
        for (int size : kIconSizes)
            QCOMPARE(InstalledIcon(size),
                     smallest.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation));

        const QList<QRgb> inks = {qRgb(0, 0, 0),       qRgb(128, 128, 128), qRgb(192, 192, 192),
                                  qRgb(255, 255, 255), qRgb(0, 255, 255),   qRgba(0, 0, 0, 0)};
        int transparent = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                QVERIFY2(inks.contains(smallest.pixel(x, y)),
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
                transparent += qAlpha(smallest.pixel(x, y)) == 0 ? 1 : 0;
            }
        QVERIFY(transparent > 0 && transparent < 16 * 16 / 2); // a shape, not a square or a speck
    }

    void windowUsesTheInstalledIcon() {
        ScriptedDialogs dialogs;
        const QTemporaryDir recovery;
        QIcon::setThemeName(QStringLiteral("hicolor"));
        const QTemporaryDir noIcons;
        QIcon::setThemeSearchPaths({noIcons.path()});
        {
            const frmMain window(dialogs, recovery.path());
            QVERIFY(window.windowIcon().name().isEmpty()); // the one the program draws itself
            QVERIFY(!window.windowIcon().pixmap(16, 16).isNull());
        }
        QIcon::setThemeSearchPaths({Installed(QStringLiteral("share/icons")), "/usr/share/icons"});
        const frmMain window(dialogs, recovery.path());
        QCOMPARE(window.windowIcon().name(), kAppId);
        QCOMPARE(
            window.windowIcon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32),
            InstalledIcon(48));
    }

    // The installed program's own list of options is what the manual page must cover.
    void manualDescribesEveryOption() {
        const Run help =
            RunProgram(Installed(kProgram), {QStringLiteral("--help")}, NoDisplayEnvironment());
        QCOMPARE(help.exitCode, 0);
        const QByteArray manual = ReadAll(Installed(kManual));
        static const QRegularExpression option(QStringLiteral(R"((?<![\w-])(--?[a-z][a-z-]*))"));
        QStringList options;
        for (const auto& match : option.globalMatch(QString::fromUtf8(help.output)))
            options.append(match.captured(1));
        QVERIFY(options.contains(QStringLiteral("--export")));
        for (const QString& name : options) // roff writes each dash of an option as "\-"
            QVERIFY2(manual.contains(name.toUtf8().replace("-", "\\-")),
                     qPrintable(name + " is missing from vellicor.1"));
    }
};

QTEST_MAIN(TestInstall)
#include "test_install.moc"
