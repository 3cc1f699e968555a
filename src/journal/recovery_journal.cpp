#include "recovery_journal.h"

#include "files/write_all.h"
#include "journal_line.h"
#include "journal_records.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vellicor {
namespace {

qint64 Now() {
    return QDateTime::currentMSecsSinceEpoch();
}

// Writes `line` at `offset` and makes it durable before returning.
std::optional<QString> WriteDurably(int fd, const QByteArray& line, qint64 offset) {
    if (auto reason = WriteAllAt(fd, line, offset))
        return reason;
    if (::fdatasync(fd) != 0)
        return SystemReason(errno);
    return std::nullopt;
}

// Makes a rename in `folder` durable, so the journal's name survives a power cut too.
std::optional<QString> SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return SystemReason(errno);
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error == 0 ? std::nullopt : std::optional(SystemReason(error));
}

} // namespace

RecoveryJournal::~RecoveryJournal() {
    Close();
}

void RecoveryJournal::Close() {
    if (fd_ >= 0)
        ::close(fd_); // every record was synced when it was written
    fd_ = -1;
    committed_ = 0;
    steps_ = 0;
    open_.clear();
}

std::optional<QString> RecoveryJournal::Start(const QString& path, const QString& name,
                                              const QString& filePath, const SpriteTable& table,
                                              HeaderStyle style) {
    Close();
    const QByteArray line = JournalLine(BaseRecord(Now(), name, filePath, table, style));
    const QByteArray temporary = QFile::encodeName(TemporaryPath(path));
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return SystemReason(errno);
    auto reason = WriteDurably(fd, line, 0);
    if (!reason && ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0)
        reason = SystemReason(errno);
    if (!reason)
        reason = SyncFolder(QFileInfo(path).absolutePath());
    if (reason) {
        ::close(fd);
        ::unlink(temporary.constData());
        return reason;
    }
    fd_ = fd;
    committed_ = line.size();
    for (int i = 0; i < table.SpriteCount(); ++i)
        if (table.Record(i).IsOpen)
            open_.push_back(i);
    return std::nullopt;
}

std::optional<QString> RecoveryJournal::AppendSprite(int index, const SpriteRecord& record,
                                                     const std::vector<int>& openEditors) {
    return WriteStep(StepRecord(Now(), steps_ + 1, index, record, openEditors), openEditors);
}

std::optional<QString> RecoveryJournal::AppendSprites(int first,
                                                      std::span<const SpriteRecord> records,
                                                      const std::vector<int>& openEditors) {
    return WriteStep(AddedSpritesRecord(Now(), steps_ + 1, first, records, openEditors),
                     openEditors);
}

std::optional<QString> RecoveryJournal::KeepSprites(int count,
                                                    const std::vector<int>& openEditors) {
    return WriteStep(KeptSpritesRecord(Now(), steps_ + 1, count, openEditors), openEditors);
}

std::optional<QString> RecoveryJournal::AppendProjectName(const QString& name,
                                                          const std::vector<int>& openEditors) {
    return WriteStep(ProjectNameRecord(Now(), steps_ + 1, name, openEditors), openEditors);
}

std::optional<QString> RecoveryJournal::AppendOrder(std::span<const int> sources,
                                                    const SpriteTable& table,
                                                    const std::vector<int>& openEditors) {
    return WriteStep(OrderRecord(Now(), steps_ + 1, sources, table, openEditors), openEditors);
}

std::optional<QString> RecoveryJournal::AppendWindows(const std::vector<int>& openEditors) {
    if (openEditors == open_)
        return std::nullopt;
    return WriteStep(WindowsRecord(Now(), steps_ + 1, openEditors), openEditors);
}

std::optional<QString> RecoveryJournal::WriteStep(const QJsonObject& record,
                                                  const std::vector<int>& openEditors) {
    if (fd_ < 0)
        return QStringLiteral("The recovery journal is not open.");
    const QByteArray line = JournalLine(record);
    // Written at the end of the last complete record rather than appended, so that after a
    // failed write the next step replaces whatever part of this one reached the file.
    if (auto reason = WriteDurably(fd_, line, committed_))
        return reason;
    committed_ += line.size();
    ++steps_;
    open_ = openEditors;
    return std::nullopt;
}

} // namespace vellicor
