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

Tool frmMain::CurrentTool() const {
    static constexpr Tool kTools[] = {Tool::Pencil, Tool::Eraser, Tool::Circle, Tool::Rectangle,
                                      Tool::Fill};
    for (int i = 0; i < kToolKeys.size(); ++i) {
        if (ToolbarAction(kToolKeys[i])->isChecked())
            return kTools[i];
    }
    return Tool::Pencil; // none pressed paints as the pencil
}

void frmMain::SelectTool(Tool tool) {
    const QString& key = kToolKeys.at(static_cast<int>(tool));
    // A shortcut presses its tool; it never releases one that is already pressed.
    ToolbarAction(key)->setChecked(true);
    ButtonClick(key);
}

void frmMain::PickColour(Qt::MouseButton button, const QColor& colour) {
    if (button == Qt::LeftButton)
        picFore_->SetColour(colour);
    else if (button == Qt::RightButton)
        picBack_->SetColour(colour);
}

void frmMain::ButtonMenuClick(int position) {
    if (position == 2)
        NewSprite();
}

void frmMain::SwatchPress(int index, Qt::MouseButton button) {
    if (index < 0 || index >= kPaletteSize)
        return;
    const QColor colour = picture2_[static_cast<std::size_t>(index)]->Colour();
    if (button == Qt::LeftButton)
        picFore_->SetColour(colour);
    else if (button == Qt::RightButton)
        picBack_->SetColour(colour);
}

} // namespace vellicor
