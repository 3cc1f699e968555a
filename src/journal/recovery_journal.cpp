#include "recovery_journal.h"

#include "journal_line.h"
#include "journal_records.h"
#include "model/name_rules.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace vellicor {
namespace {

QString SystemReason(int error) {
    return QString::fromStdString(std::generic_category().message(error));
}

// Writes all of `bytes` at `offset`; returns 0 or the error number. One pwrite() does it on
// a local disk: the loop only covers an interrupted or partial write.
int WriteAllAt(int fd, const QByteArray& bytes, qint64 offset) {
    const char* data = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::pwrite(fd, data, left, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        data += written;
        left -= static_cast<std::size_t>(written);
        offset += written;
    }
    return 0;
}

int SyncData(int fd) {
    while (::fdatasync(fd) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

// Makes a rename in `folder` durable, so the journal's name survives a power cut too.
int SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

} // namespace

RecoveryJournal::~RecoveryJournal() {
    Close();
}

void RecoveryJournal::Close() {
    if (fd_ >= 0)
        ::close(fd_); // every record was synced when it was written
    fd_ = -1;
    path_.clear();
    committed_ = 0;
    spriteCount_ = 0;
    steps_ = 0;
    open_.clear();
}

std::optional<QString> RecoveryJournal::Start(const QString& path, const QString& name,
                                              const QString& filePath, const SpriteTable& table) {
    Close();
    if (const auto fault = NameFault(name))
        return QStringLiteral("The project's name %1.").arg(*fault);
    for (const SpriteRecord& record : table.Sprites())
        if (auto refusal = SpriteRefusal(record))
            return refusal;
    const QByteArray line =
        JournalLine(BaseRecord(QDateTime::currentMSecsSinceEpoch(), name, filePath, table));

    const QByteArray temporary = QFile::encodeName(TemporaryPath(path));
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return SystemReason(errno);
    int error = WriteAllAt(fd, line, 0);
    if (error == 0)
        error = SyncData(fd);
    if (error == 0 && ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0)
        error = errno;
    if (error == 0)
        error = SyncFolder(QFileInfo(path).absolutePath());
    if (error != 0) {
        ::close(fd);
        ::unlink(temporary.constData());
        return SystemReason(error);
    }
    fd_ = fd;
    path_ = path;
    committed_ = line.size();
    spriteCount_ = table.SpriteCount();
    for (int i = 0; i < spriteCount_; ++i)
        if (table.Record(i).IsOpen)
            open_.push_back(i);
    return std::nullopt;
}

std::optional<QString> RecoveryJournal::AppendSprite(int index, const SpriteRecord& record,
                                                     const std::vector<int>& openEditors) {
    if (fd_ < 0)
        return QStringLiteral("The recovery journal is not open.");
    if (auto refusal = StepRefusal(index, spriteCount_, openEditors))
        return refusal;
    if (auto refusal = SpriteRefusal(record))
        return refusal;
    return WriteStep(
        StepRecord(QDateTime::currentMSecsSinceEpoch(), steps_ + 1, index, record, openEditors),
        index == spriteCount_ ? spriteCount_ + 1 : spriteCount_, openEditors);
}

std::optional<QString> RecoveryJournal::AppendSprites(std::span<const SpriteRecord> records,
                                                      const std::vector<int>& openEditors) {
    if (fd_ < 0)
        return QStringLiteral("The recovery journal is not open.");
    if (auto refusal = AddedRefusal(records, spriteCount_, openEditors))
        return refusal;
    return WriteStep(AddedSpritesRecord(QDateTime::currentMSecsSinceEpoch(), steps_ + 1,
                                        spriteCount_, records, openEditors),
                     spriteCount_ + static_cast<int>(records.size()), openEditors);
}

std::optional<QString> RecoveryJournal::KeepSprites(int count,
                                                    const std::vector<int>& openEditors) {
    if (fd_ < 0)
        return QStringLiteral("The recovery journal is not open.");
    if (auto refusal = KeptRefusal(count, spriteCount_, openEditors))
        return refusal;
    return WriteStep(
        KeptSpritesRecord(QDateTime::currentMSecsSinceEpoch(), steps_ + 1, count, openEditors),
        count, openEditors);
}

std::optional<QString> RecoveryJournal::AppendWindows(const std::vector<int>& openEditors) {
    if (fd_ < 0)
        return QStringLiteral("The recovery journal is not open.");
    if (openEditors == open_)
        return std::nullopt;
    if (auto refusal = WindowsRefusal(spriteCount_, openEditors))
        return refusal;
    return WriteStep(WindowsRecord(QDateTime::currentMSecsSinceEpoch(), steps_ + 1, openEditors),
                     spriteCount_, openEditors);
}

std::optional<QString> RecoveryJournal::WriteStep(const QJsonObject& record, int spriteCount,
                                                  const std::vector<int>& openEditors) {
    const QByteArray line = JournalLine(record);
    // Written at the end of the last complete record rather than appended, so that after a
    // failed write the next step replaces whatever part of this one reached the file.
    int error = WriteAllAt(fd_, line, committed_);
    if (error == 0)
        error = SyncData(fd_);
    if (error != 0)
        return SystemReason(error);
    committed_ += line.size();
    ++steps_;
    spriteCount_ = spriteCount;
    open_ = openEditors;
    return std::nullopt;
}

} // namespace vellicor
