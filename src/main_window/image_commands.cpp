#include "image_commands.h"

#include "document/project_document.h"
#include "editor/frm_sprite.h"
#include "sprite_windows.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vellicor {
namespace {

struct Command {
    const char* name;
    const char* caption;
    const char* text; // the step's name: "Undo Flip Horizontal"
    QKeyCombination key;
    Transform transform;
};

// Shift+H and Shift+V as in most pixel editors; Ctrl+arrows, since the arrows alone move a
// selection.
const Command kCommands[] = {
    {"mnuImageFlipHorizontal", "Flip &Horizontal", "Flip Horizontal", Qt::SHIFT | Qt::Key_H,
     Transform::FlipHorizontal},
    {"mnuImageFlipVertical", "Flip &Vertical", "Flip Vertical", Qt::SHIFT | Qt::Key_V,
     Transform::FlipVertical},
    {"mnuImageRotateClockwise",
     "Rotate 90° &Clockwise",
     "Rotate 90° Clockwise",
     {},
     Transform::RotateClockwise},
    {"mnuImageRotateCounterClockwise",
     "Rotate 90° C&ounter-clockwise",
     "Rotate 90° Counter-clockwise",
     {},
     Transform::RotateCounterClockwise},
    {"mnuImageRotate180", "Rotate &180°", "Rotate 180°", {}, Transform::Rotate180},
    {"mnuImageShiftLeft", "Shift &Left", "Shift Left", Qt::CTRL | Qt::Key_Left,
     Transform::ShiftLeft},
    {"mnuImageShiftRight", "Shift &Right", "Shift Right", Qt::CTRL | Qt::Key_Right,
     Transform::ShiftRight},
    {"mnuImageShiftUp", "Shift &Up", "Shift Up", Qt::CTRL | Qt::Key_Up, Transform::ShiftUp},
    {"mnuImageShiftDown", "Shift &Down", "Shift Down", Qt::CTRL | Qt::Key_Down,
     Transform::ShiftDown},
    {"mnuImageInvertGreys", "&Invert Greys", "Invert Greys", {}, Transform::InvertGreys},
};

} // namespace

ImageCommands::ImageCommands(ProjectDocument& document, SpriteWindows& editors, QWidget& area,
                             QMenuBar& bar, QObject* parent)
    : QObject(parent), document_(document), editors_(editors) {
    auto* menu = new QMenu(tr("&Image"), &bar);
    menu->setObjectName(QStringLiteral("mnuImage"));
    bar.insertMenu(bar.findChild<QMenu*>(QStringLiteral("mnuView"))->menuAction(), menu);
    for (const Command& command : kCommands) {
        if (command.transform == Transform::RotateClockwise ||
            command.transform == Transform::ShiftLeft ||
            command.transform == Transform::InvertGreys)
            menu->addSeparator();
        auto* action = new QAction(QString::fromUtf8(command.caption), this);
        action->setObjectName(QString::fromLatin1(command.name));
        if (command.key != QKeyCombination()) // Qt::Key_unknown: no key
            action->setShortcut(QKeySequence(command.key));
        // The menu shows the key; the area, where the editors are, makes it work.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        area.addAction(action);
        menu->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, transform = command.transform, text = QString::fromUtf8(command.text)] {
                    Apply(transform, text);
                });
        actions_ << action;
    }
    connect(&editors, &SpriteWindows::ActiveChanged, this, &ImageCommands::UpdateActions);
    // A size chosen, undone or redone, and sprites going or coming back, change the target.
    connect(&document, &ProjectDocument::StepCompleted, this, &ImageCommands::UpdateActions);
    connect(&document, &ProjectDocument::SpriteRestored, this, &ImageCommands::UpdateActions);
    connect(&document, &ProjectDocument::EditorsChanged, this, &ImageCommands::UpdateActions);
    connect(&document, &ProjectDocument::SpritesRemoved, this, &ImageCommands::UpdateActions);
    connect(&document, &ProjectDocument::SpritesRearranged, this, &ImageCommands::UpdateActions);
    connect(&document, &ProjectDocument::IdentityChanged, this, &ImageCommands::UpdateActions);
    UpdateActions();
}

std::optional<int> ImageCommands::Target() const {
    const auto index = editors_.ActiveSprite();
    const auto slot = static_cast<std::size_t>(index.value_or(0));
    if (!index || slot >= editors_.Windows().size() || !editors_.Windows()[slot] ||
        document_.Record(*index).Size == 0)
        return std::nullopt;
    return index;
}

void ImageCommands::UpdateActions() {
    const bool enabled = Target().has_value();
    for (QAction* action : actions_)
        action->setEnabled(enabled);
}

void ImageCommands::Apply(Transform transform, const QString& text) {
    const auto index = Target();
    if (!index)
        return;
    frmSprite* window = editors_.Windows()[static_cast<std::size_t>(*index)];
    // Pixels left floating go down first, so the transform acts on the picture as shown.
    window->CommitFloating();
    const SpriteRecord& record = document_.Record(*index);
    const QRect cells = window->SelectedCells().value_or(QRect(0, 0, record.Size, record.Size));
    const std::vector<CellWrite> writes = TransformCells(record, cells, transform);
    document_.BeginStroke(*index, text);
    for (const CellWrite& write : writes)
        document_.SetPixel(*index, write.x, write.y, write.bits);
    document_.EndStroke();
    // A turned selection that is not square stands where its pixels went.
    const bool quarterTurn =
        transform == Transform::RotateClockwise || transform == Transform::RotateCounterClockwise;
    if (quarterTurn && window->SelectedCells())
        window->SelectCells(QuarterTurned(cells));
    window->DrawSprite(); // the window repaints from the record only when told
}

} // namespace vellicor
