// Preloaded into a child process to make the file system fail on cue, for files in one folder
// only, so the rest of the process works as usual. Set by the environment:
//   VELLICOR_FAULT_FOLDER  files whose path contains this text are watched
//   VELLICOR_FAULT_CALL    write (pwrite too), fsync (fdatasync too) or close: the call that
//                          fails on them
//   VELLICOR_FAULT_ERRNO   the error number it fails with
//   VELLICOR_FAULT_NO_NEW  if set, creating a new file there fails with EACCES, as in a folder
//                          the user may not write, while existing files still open
// A failing write lets half of the first write through, as a disk that fills up mid-file does.
#undef _FORTIFY_SOURCE // open() is defined here, not wrapped
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kMaxFd = 4096;
std::atomic<bool> watched[kMaxFd];
std::atomic<bool> halfWritten[kMaxFd];

template <typename Fn> Fn Real(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

bool InFolder(const char* path) {
    const char* folder = std::getenv("VELLICOR_FAULT_FOLDER");
    return folder != nullptr && *folder != '\0' && std::strstr(path, folder) != nullptr;
}

int Track(int fd, bool on) {
    if (fd >= 0 && fd < kMaxFd) {
        watched[fd] = on;
        halfWritten[fd] = false;
    }
    return fd;
}

bool Fails(int fd, const char* call) {
    const char* chosen = std::getenv("VELLICOR_FAULT_CALL");
    return fd >= 0 && fd < kMaxFd && watched[fd] && chosen != nullptr &&
           std::strcmp(chosen, call) == 0;
}

int Fail() {
    const char* number = std::getenv("VELLICOR_FAULT_ERRNO");
    errno = number != nullptr ? std::atoi(number) : EIO;
    return -1;
}

int Open(const char* name, const char* path, int flags, va_list args) {
    const bool creates = (flags & O_TMPFILE) == O_TMPFILE || (flags & O_CREAT) != 0;
    const mode_t mode = creates ? va_arg(args, mode_t) : 0;
    const bool isNew = (flags & O_TMPFILE) == O_TMPFILE || (flags & O_EXCL) != 0;
    if (isNew && InFolder(path) && std::getenv("VELLICOR_FAULT_NO_NEW") != nullptr)
        return errno = EACCES, -1;
    const int fd = Real<int (*)(const char*, int, ...)>(name)(path, flags, mode);
    return Track(fd, InFolder(path));
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int fd = Open("open", path, flags, args);
    va_end(args);
    return fd;
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int fd = Open("open64", path, flags, args);
    va_end(args);
    return fd;
}

int dup(int fd) {
    return Track(Real<int (*)(int)>("dup")(fd), fd >= 0 && fd < kMaxFd && watched[fd]);
}

ssize_t write(int fd, const void* data, size_t count) {
    static const auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
    if (!Fails(fd, "write"))
        return real(fd, data, count);
    if (halfWritten[fd] || count < 2)
        return Fail();
    halfWritten[fd] = true;
    return real(fd, data, count / 2);
}

ssize_t pwrite(int fd, const void* data, size_t count, off_t offset) {
    static const auto real = Real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (!Fails(fd, "write"))
        return real(fd, data, count, offset);
    if (halfWritten[fd] || count < 2)
        return Fail();
    halfWritten[fd] = true;
    return real(fd, data, count / 2, offset);
}

ssize_t pwrite64(int fd, const void* data, size_t count, off64_t offset) {
    return pwrite(fd, data, count, offset);
}

int fsync(int fd) {
    return Fails(fd, "fsync") ? Fail() : Real<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd) {
    return Fails(fd, "fsync") ? Fail() : Real<int (*)(int)>("fdatasync")(fd);
}

int close(int fd) {
    const bool fails = Fails(fd, "close");
    Track(fd, false);
    const int result = Real<int (*)(int)>("close")(fd); // the descriptor goes either way
    return fails ? Fail() : result;
}

} // extern "C"
