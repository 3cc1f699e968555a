#pragma once

#include "model/sprite_table.h"

#include <QDateTime>
#include <QString>

namespace vellicor {

// What a journal brings back.
struct RecoveredProject {
    QString name;         // ProjectName
    QString filePath;     // the project's file, empty when it had none
    SpriteTable table;    // every sprite whole; Record(i).IsOpen = its editor was open
    QDateTime lastChange; // time of the last completed step
};

} // namespace vellicor
