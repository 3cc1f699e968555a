#include "editor_launch.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace vellicor {
namespace {

constexpr const char* kEditorName = "vellicor-editor";

// The folder of this program's own file, links resolved: the one place that moves with it.
std::string OwnFolder() {
    std::array<char, 4096> path{};
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return ".";
    const std::string self(path.data(), static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/'));
}

} // namespace

int StartEditor(char** argv) {
    const std::string folder = OwnFolder();
    const std::array<std::string, 2> candidates = {
        folder + '/' + kEditorName, folder + '/' + VELLICOR_EDITOR_FROM_BIN + '/' + kEditorName};
    // A failure names the editor that is there but would not start, else the installed place.
    const std::string* named = &candidates.back();
    int error = ENOENT;
    for (const std::string& editor : candidates) {
        ::execv(editor.c_str(), argv);
        if (errno != ENOENT && error == ENOENT) {
            error = errno;
            named = &editor;
        }
    }
    std::fprintf(stderr, "vellicor: could not start the editor \"%s\": %s\n", named->c_str(),
                 std::strerror(error));
    return kExitNoEditor;
}

} // namespace vellicor
