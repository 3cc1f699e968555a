#pragma once

#include <QByteArray>
#include <QFile>

// A file's bytes, or a marker that cannot be mistaken for any expected content.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes a file as a user or another program would, without Vellicor's own write path.
inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
