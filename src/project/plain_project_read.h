#pragma once

#include "project_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace vellicor {

// Bytes readable past the end of a document that let ReadPlainProject read it where it is.
inline constexpr qsizetype kJsonPadding = 64;

// The project in `bytes`, read at simdjson's speed, when they hold one in the plain shape that
// Vellicor writes: the four keys of a project and the six of a sprite, each once and spelt
// plainly, the numbers and rows as Vellicor writes them, well within JsonBounds. In that shape
// ReadProject takes the file too and reads the very same project, so this is no second reader
// with rules of its own: nullopt says only "ask ReadProject", which then decides with its own
// words, never "refused".
// `readable` counts the bytes from bytes.data() that may be read; with kJsonPadding of them past
// the end the bytes are read in place, otherwise from a copy.
std::optional<Project> ReadPlainProject(QByteArrayView bytes, qsizetype readable);

} // namespace vellicor
