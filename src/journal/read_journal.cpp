#include "journal_line.h"
#include "journal_records.h"
#include "recovery_journal.h"

#include <QFile>
#include <utility>

namespace vellicor {
namespace {

// Why one line cannot be replayed, or nullopt once `replay` has applied its record.
template <typename Replay> std::optional<QString> ReplayLine(QByteArrayView line, Replay replay) {
    QString why;
    const auto record = ParseJournalLine(line, why);
    if (!record)
        return why;
    return replay(*record);
}

} // namespace

JournalRead ReadJournal(const QByteArray& bytes) {
    JournalRead read;
    qsizetype start = 0;
    int lineNumber = 0;
    // The next line without its newline; nullopt when the bytes end before its newline.
    const auto nextLine = [&]() -> std::optional<QByteArrayView> {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView line(bytes.constData() + start, end - start);
        start = end + 1;
        ++lineNumber;
        return line;
    };

    if (bytes.isEmpty()) {
        read.error = QStringLiteral("The recovery journal is empty.");
        return read;
    }
    const auto baseLine = nextLine();
    if (!baseLine) {
        read.error = QStringLiteral("The recovery journal's first record is incomplete.");
        return read;
    }
    RecoveredProject project;
    if (const auto why = ReplayLine(
            *baseLine, [&](const QJsonObject& record) { return ReplayBase(record, project); })) {
        read.error =
            QStringLiteral("The recovery journal's first record is unreadable: %1.").arg(*why);
        return read;
    }

    while (start < bytes.size()) {
        const auto line = nextLine();
        if (!line) {
            read.damage = QStringLiteral("Line %1 is incomplete.").arg(lineNumber + 1);
            break;
        }
        if (const auto why = ReplayLine(*line, [&](const QJsonObject& record) {
                return ReplayStep(record, read.steps + 1, project);
            })) {
            read.damage = QStringLiteral("Line %1 is refused: %2.").arg(lineNumber).arg(*why);
            break;
        }
        ++read.steps;
    }
    read.project = std::move(project);
    return read;
}

JournalRead LoadJournalFile(const QString& path) {
    JournalRead read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.error = file.errorString();
        return read;
    }
    if (file.size() > kMaxJournalBytes) {
        read.error = QStringLiteral("The recovery journal is larger than any Vellicor writes "
                                    "(over %1 MB).")
                         .arg(kMaxJournalBytes / (1024 * 1024));
        return read;
    }
    return ReadJournal(file.readAll());
}

} // namespace vellicor
