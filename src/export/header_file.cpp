#include "header_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace vellicor {
namespace {

constexpr auto kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// Write bits are checked as well as access: an administrator may write anywhere, but a file
// or folder the user marked read-only should still not be replaced behind their back.
std::optional<QString> RefusalBeforeWriting(const QFileInfo& target) {
    if (target.isDir())
        return QStringLiteral("It is a folder.");
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("The folder does not exist.");
    if (target.exists() && ((target.permissions() & kAnyWrite) == 0 || !target.isWritable()))
        return QStringLiteral("The file is read-only.");
    if ((folder.permissions() & kAnyWrite) == 0 || !folder.isWritable())
        return QStringLiteral("The folder is read-only.");
    return std::nullopt;
}

} // namespace

std::optional<QString> WriteFileAtomically(const QString& path, const std::string& bytes) {
    if (auto refusal = RefusalBeforeWriting(QFileInfo(path)))
        return refusal;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace vellicor
