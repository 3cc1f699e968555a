#pragma once

namespace vellicor {

// Exit code when the editor program cannot be started, as a shell gives for a missing program.
constexpr int kExitNoEditor = 127;

// Replaces this process with the editor program, handing it `argv` unchanged, so the pid,
// the exit code and Qt's own options all stay the editor's. The editor is looked for beside
// this program (the build tree) and where an install puts it relative to this program, so a
// staged install that is moved elsewhere still finds it. Returns only when it cannot be
// started, after one line on stderr that says why.
int StartEditor(char** argv);

} // namespace vellicor
