#include "command_line.h"

#include "headless_commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <variant>

namespace vellicor {
namespace {

const QString kOutput = QStringLiteral("output");

// Options that Qt's GUI classes read for themselves: desktop sessions restart the editor with
// -session, users pass -style or -platform. The editor accepts them and leaves them to Qt.
constexpr const char* kQtOptionsWithValue = "platform platformpluginpath platformtheme plugin "
                                            "qwindowgeometry geometry qwindowtitle title "
                                            "qwindowicon icon display session style stylesheet "
                                            "qmljsdebugger";
constexpr const char* kQtFlags = "reverse widgetcount nograb dograb sync";

struct StartEditor {
    QString projectFile;
};
struct ShowHelp {};
struct ShowVersion {};
struct WrongUsage {
    QString problem;
};
struct RunHeadless {
    const HeadlessCommand* command;
    HeadlessArguments arguments;
};
using Request = std::variant<StartEditor, ShowHelp, ShowVersion, WrongUsage, RunHeadless>;

void AddOptions(QCommandLineParser& parser) {
    // Qt's own options start with one dash and are whole words.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Vellicor, a sprite editor. With a project file, opens it in the editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("The .vellicor project to open in the editor."),
                                 QStringLiteral("[project]"));
    for (const HeadlessCommand& command : HeadlessCommands())
        parser.addOption({command.option, command.description, command.valueName});
    parser.addOption(
        {kOutput, QStringLiteral("The file that a command such as --export writes."), "file"});
    for (const HeadlessOption& option : HeadlessOptions())
        parser.addOption({option.name, option.description, option.valueName});
    const auto addHidden = [&parser](const char* names, const QString& valueName) {
        for (const QString& name : QString::fromLatin1(names).split(u' ')) {
            QCommandLineOption option(name, {}, valueName);
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
    };
    addHidden(kQtOptionsWithValue, QStringLiteral("value"));
    addHidden(kQtFlags, QString());
}

QString Dashed(const QString& option) {
    return QStringLiteral("--") + option;
}

bool Takes(const HeadlessCommand& command, const QString& option) {
    return QString(command.takes).split(u' ').contains(option);
}

// The options that go with some commands only, by name; a problem when one is given twice or
// without a command that takes it (`chosen` is null when no command was given).
std::variant<QHash<QString, QString>, WrongUsage> FurtherOptions(const QCommandLineParser& parser,
                                                                 const HeadlessCommand* chosen) {
    QHash<QString, QString> options;
    for (const HeadlessOption& option : HeadlessOptions()) {
        // A flag has no values to count, only the times it is named.
        const QStringList values =
            option.valueName.isEmpty()
                ? QStringList(parser.optionNames().count(option.name), QString())
                : parser.values(option.name);
        if (values.isEmpty())
            continue;
        if (values.size() > 1)
            return WrongUsage{Dashed(option.name) + QStringLiteral(" is given more than once.")};
        if (chosen == nullptr || !Takes(*chosen, option.name)) {
            QStringList takers;
            for (const HeadlessCommand& command : HeadlessCommands()) {
                if (Takes(command, option.name))
                    takers << Dashed(command.option);
            }
            return WrongUsage{QStringLiteral("%1 goes with %2.")
                                  .arg(Dashed(option.name), takers.join(QStringLiteral(" or ")))};
        }
        options.insert(option.name, values.front());
    }
    return options;
}

Request Decide(const QCommandLineParser& parser) {
    if (parser.isSet(QStringLiteral("help")))
        return ShowHelp{};
    if (parser.isSet(QStringLiteral("version")))
        return ShowVersion{};
    const QStringList positional = parser.positionalArguments();
    if (parser.values(kOutput).size() > 1)
        return WrongUsage{QStringLiteral("--output is given more than once.")};

    const HeadlessCommand* chosen = nullptr;
    for (const HeadlessCommand& command : HeadlessCommands()) {
        const QStringList values = parser.values(command.option);
        if (values.isEmpty())
            continue;
        if (chosen != nullptr || values.size() > 1)
            return WrongUsage{QStringLiteral("Give one command at a time.")};
        chosen = &command;
    }
    if (chosen != nullptr) {
        const QString option = Dashed(chosen->option);
        if (chosen->writesOutput && !parser.isSet(kOutput))
            return WrongUsage{option + QStringLiteral(" needs --output.")};
        if (!chosen->writesOutput && parser.isSet(kOutput))
            return WrongUsage{option + QStringLiteral(" prints to standard output: it takes no "
                                                      "--output.")};
        if (!positional.isEmpty())
            return WrongUsage{QStringLiteral("Unexpected argument \"%1\".").arg(positional[0])};
        auto further = FurtherOptions(parser, chosen);
        if (const auto* usage = std::get_if<WrongUsage>(&further))
            return *usage;
        HeadlessArguments arguments{parser.value(chosen->option), parser.value(kOutput),
                                    std::get<QHash<QString, QString>>(std::move(further))};
        if (chosen->usageProblem != nullptr) {
            if (const QString problem = chosen->usageProblem(arguments); !problem.isEmpty())
                return WrongUsage{problem};
        }
        return RunHeadless{chosen, std::move(arguments)};
    }
    if (const auto further = FurtherOptions(parser, nullptr);
        const auto* usage = std::get_if<WrongUsage>(&further))
        return *usage;
    if (parser.isSet(kOutput))
        return WrongUsage{QStringLiteral("--output goes with a command such as --export.")};
    if (positional.size() > 1)
        return WrongUsage{QStringLiteral("Give at most one project to open.")};
    return StartEditor{positional.value(0)};
}

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int Run(const Request& request, const QCommandLineParser& parser) {
    if (std::holds_alternative<ShowHelp>(request)) {
        Print(stdout, parser.helpText());
        return kExitOk;
    }
    if (std::holds_alternative<ShowVersion>(request)) {
        // The same line QCommandLineParser::showVersion prints.
        Print(stdout, QCoreApplication::applicationName() + u' ' +
                          QCoreApplication::applicationVersion() + u'\n');
        return kExitOk;
    }
    if (const auto* usage = std::get_if<WrongUsage>(&request)) {
        Print(stderr, QStringLiteral("vellicor: %1\n\n").arg(usage->problem) + parser.helpText());
        return kExitUsage;
    }
    const auto& headless = std::get<RunHeadless>(request);
    QTextStream errors(stderr);
    return headless.command->run(headless.arguments, errors);
}

} // namespace

StartUp HandleCommandLine(int& argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("vellicor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLICOR_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    AddOptions(parser);
    const bool parsed = parser.parse(arguments);
    if (parsed && parser.isSet(QStringLiteral("help-all"))) {
        // Only the parser knows Qt's own options; it prints them and exits.
        const QCoreApplication app(argc, argv);
        parser.process(arguments);
    }
    const Request request = parsed ? Decide(parser) : Request{WrongUsage{parser.errorText()}};
    if (const auto* editor = std::get_if<StartEditor>(&request))
        return {std::nullopt, editor->projectFile};

    // No QGuiApplication, so no platform plugin: this works with no display at all. QImage
    // reads and writes PNG without one.
    const QCoreApplication app(argc, argv);
    return {Run(request, parser), QString()};
}

} // namespace vellicor
