// Preloaded into a child process to make the file system fail on cue, for files under one folder
// only, so the rest of the process (Qt, the loader) works as usual. Set by the environment:
//   VELLICOR_FAULT_FOLDER   files whose path contains this text are watched
//   VELLICOR_FAULT_CALL     write | fsync | close: the call that fails on a watched file
//                           (fsync covers fdatasync); anything else fails nothing
//   VELLICOR_FAULT_ERRNO    the error it fails with, as a number (ENOSPC, EIO ...)
//   VELLICOR_FAULT_NO_NEW   when set, creating a new file in the folder fails with EACCES, as a
//                           folder that may not be written does, while existing files still open
// A write fault lets half of the first write through, as a disk that fills up mid-file does.
#undef _FORTIFY_SOURCE // open() is defined here, not wrapped
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int kMaxFd = 4096;
std::atomic<bool> watched[kMaxFd];
std::atomic<bool> halfWritten[kMaxFd];

template <typename Fn> Fn Next(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

bool Watched(const char* path) {
    const char* folder = std::getenv("VELLICOR_FAULT_FOLDER");
    return path != nullptr && folder != nullptr && *folder != '\0' &&
           std::strstr(path, folder) != nullptr;
}

bool Watched(int fd) {
    return fd >= 0 && fd < kMaxFd && watched[fd];
}

void Track(int fd, bool on) {
    if (fd >= 0 && fd < kMaxFd) {
        watched[fd] = on;
        halfWritten[fd] = false;
    }
}

bool Fails(int fd, const char* call) {
    const char* chosen = std::getenv("VELLICOR_FAULT_CALL");
    return Watched(fd) && chosen != nullptr && std::strcmp(chosen, call) == 0;
}

int FaultErrno() {
    const char* number = std::getenv("VELLICOR_FAULT_ERRNO");
    return number != nullptr ? std::atoi(number) : EIO;
}

bool RefusedAsNew(const char* path, int flags) {
    const bool creates =
        (flags & O_TMPFILE) == O_TMPFILE || (flags & (O_CREAT | O_EXCL)) == (O_CREAT | O_EXCL);
    return creates && Watched(path) && std::getenv("VELLICOR_FAULT_NO_NEW") != nullptr;
}

int Opened(int fd, const char* path) {
    Track(fd, fd >= 0 && Watched(path));
    return fd;
}

mode_t ModeOf(int flags, va_list args) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, mode_t) : 0;
}

} // namespace

extern "C" {

#define VELLICOR_OPEN(name)                                                                        \
    int name(const char* path, int flags, ...) {                                                   \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = ModeOf(flags, args);                                                   \
        va_end(args);                                                                              \
        if (RefusedAsNew(path, flags))                                                             \
            return errno = EACCES, -1;                                                             \
        static auto real = Next<int (*)(const char*, int, ...)>(#name);                            \
        return Opened(real(path, flags, mode), path);                                              \
    }
#define VELLICOR_OPENAT(name)                                                                      \
    int name(int dir, const char* path, int flags, ...) {                                          \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = ModeOf(flags, args);                                                   \
        va_end(args);                                                                              \
        if (RefusedAsNew(path, flags))                                                             \
            return errno = EACCES, -1;                                                             \
        static auto real = Next<int (*)(int, const char*, int, ...)>(#name);                       \
        return Opened(real(dir, path, flags, mode), path);                                         \
    }
VELLICOR_OPEN(open)
VELLICOR_OPEN(open64)
VELLICOR_OPENAT(openat)
VELLICOR_OPENAT(openat64)

int dup(int fd) {
    static auto real = Next<int (*)(int)>("dup");
    const int copy = real(fd);
    Track(copy, copy >= 0 && Watched(fd));
    return copy;
}

int dup2(int fd, int to) {
    static auto real = Next<int (*)(int, int)>("dup2");
    const int copy = real(fd, to);
    Track(copy, copy >= 0 && Watched(fd));
    return copy;
}

int dup3(int fd, int to, int flags) {
    static auto real = Next<int (*)(int, int, int)>("dup3");
    const int copy = real(fd, to, flags);
    Track(copy, copy >= 0 && Watched(fd));
    return copy;
}

ssize_t write(int fd, const void* data, size_t count) {
    static auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
    if (Fails(fd, "write")) {
        if (halfWritten[fd] || count < 2)
            return errno = FaultErrno(), -1;
        halfWritten[fd] = true;
        return real(fd, data, count / 2);
    }
    return real(fd, data, count);
}

int fsync(int fd) {
    static auto real = Next<int (*)(int)>("fsync");
    return Fails(fd, "fsync") ? (errno = FaultErrno(), -1) : real(fd);
}

int fdatasync(int fd) {
    static auto real = Next<int (*)(int)>("fdatasync");
    return Fails(fd, "fsync") ? (errno = FaultErrno(), -1) : real(fd);
}

int close(int fd) {
    static auto real = Next<int (*)(int)>("close");
    const bool fails = Fails(fd, "close");
    Track(fd, false);
    const int result = real(fd); // the descriptor is gone either way, as on Linux
    return fails ? (errno = FaultErrno(), -1) : result;
}

} // extern "C"
