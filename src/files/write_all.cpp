#include "write_all.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace vellicor {

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

std::optional<QString> WriteAllAt(int fd, QByteArrayView bytes, qint64 offset) {
    while (!bytes.isEmpty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), static_cast<std::size_t>(bytes.size()),
                                         static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return SystemReason(written < 0 ? errno : EIO);
        bytes = bytes.sliced(written);
        offset += written;
    }
    return std::nullopt;
}

} // namespace vellicor
