#pragma once

#include "export/header_style.h"
#include "model/sprite_table.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vellicor {

// A project as it lives in a .vellicor file.
struct Project {
    QString name;      // ProjectName
    SpriteTable table; // sprites in file order; Record(i).IsOpen mirrors the sprite's "open"
    HeaderStyle headerStyle = HeaderStyle::Plain; // how Compile writes this project's header
};

// Anything bigger than this is not a project Vellicor wrote: the largest project it can hold
// (32767 sprites) takes about a third of it.
constexpr qint64 kMaxProjectFileBytes = qint64{256} * 1024 * 1024;

// Why a file over that size is refused.
QString ProjectTooLarge();

// The file's bytes: deterministic, UTF-8 JSON, upper-case hex, ends with a newline.
QByteArray ProjectFileBytes(const QString& name, const SpriteTable& table,
                            HeaderStyle style = HeaderStyle::Plain);

struct ProjectRead {
    std::optional<Project> project; // set when the file was accepted
    QString error; // what is wrong, one line, when refused (does not name the file)
};

// Validates the whole document before returning a project, so a refused file yields nothing.
ProjectRead ReadProject(const QByteArray& bytes);
// The same for bytes that JsonBounds has already passed.
ProjectRead ReadBoundedProject(const QByteArray& bytes);

// Reads the file (an unreadable file's reason is the system's), then ReadProject.
ProjectRead LoadProjectFile(const QString& path);

// Writes the project atomically; returns the reason on failure.
std::optional<QString> SaveProjectFile(const QString& path, const QString& name,
                                       const SpriteTable& table,
                                       HeaderStyle style = HeaderStyle::Plain);

} // namespace vellicor
