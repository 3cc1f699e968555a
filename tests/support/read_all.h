#pragma once

#include <QByteArray>
#include <QFile>

// A file's bytes, or a marker that cannot be mistaken for any expected content.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
