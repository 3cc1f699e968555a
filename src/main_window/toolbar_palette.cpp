// What the toolbar's buttons, its drop-down items and the palette swatches do.
#include "colour_swatch.h"
#include "frm_main.h"

#include <QAction>

namespace vellicor {
namespace {

const QStringList kToolKeys = {QStringLiteral("pencil"), QStringLiteral("eraser"),
                               QStringLiteral("circle"), QStringLiteral("rectangle"),
                               QStringLiteral("fill")};

} // namespace

void frmMain::ButtonClick(const QString& key) {
    if (key == QLatin1String("new")) {
        NewProject();
    } else if (key == QLatin1String("open")) {
        Open();
    } else if (key == QLatin1String("save")) {
        Save();
    } else if (key == QLatin1String("compile")) {
        Compile();
    } else if (kToolKeys.contains(key)) {
        // The clicked tool has already toggled itself; at most one tool stays pressed.
        for (const QString& other : kToolKeys) {
            if (other != key)
                ToolbarAction(other)->setChecked(false);
        }
    }
}

void frmMain::ButtonMenuClick(int position) {
    if (position == 2)
        NewSprite();
}

void frmMain::SwatchPress(int index, int button) {
    if (index < 0 || index >= kPaletteSize)
        return;
    const QColor colour = picture2_[static_cast<std::size_t>(index)]->Colour();
    if (button == Qt::LeftButton)
        picFore_->SetColour(colour);
    else if (button == Qt::RightButton)
        picBack_->SetColour(colour);
}

} // namespace vellicor
