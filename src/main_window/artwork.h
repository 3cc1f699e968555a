#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vellicor {

// 16 x 16 toolbar images keyed "New", "Open", "Save", "Pencil", "Eraser", "Circle", "Rectangle",
// "Fill", "Select", "Compile"; a null QIcon for any other key.
QIcon ToolbarIcon(const QString& key);

// 16 x 16 tree images keyed "Folder" (a project) and "Item" (a sprite); null for other keys.
QIcon TreeIcon(const QString& key);

// 96 x 96 picture for the About box.
QPixmap AboutPicture();

} // namespace vellicor
