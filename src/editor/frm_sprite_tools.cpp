// What a press, a drag and a release on the canvas do with each drawing tool.
#include "document/project_document.h"
#include "frm_sprite.h"
#include "model/colour_table.h"
#include "picture_surface.h"
#include "qt_colour.h"
#include "sprite_canvas.h"

#include <QApplication>
#include <QShortcut>
#include <cmath>

namespace vellicor {
namespace {

QString StepName(Tool tool) {
    switch (tool) {
    case Tool::Eraser:
        return QStringLiteral("Erase");
    case Tool::Circle:
        return QStringLiteral("Circle");
    case Tool::Rectangle:
        return QStringLiteral("Rectangle");
    case Tool::Fill:
        return QStringLiteral("Fill");
    case Tool::Pencil:
        break;
    }
    return QStringLiteral("Paint");
}

} // namespace

void frmSprite::BuildToolShortcuts() {
    // The keys pixel editors use, live while this window has the focus.
    const std::pair<Qt::Key, Tool> keys[] = {
        {Qt::Key_B, Tool::Pencil}, {Qt::Key_P, Tool::Pencil},    {Qt::Key_E, Tool::Eraser},
        {Qt::Key_C, Tool::Circle}, {Qt::Key_R, Tool::Rectangle}, {Qt::Key_F, Tool::Fill},
        {Qt::Key_G, Tool::Fill}};
    for (const auto& [key, tool] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, tool = tool] { host_.SelectTool(tool); });
    }
}

Cell frmSprite::CellAt(QPointF position) const {
    const int n = EdgeFromOptions();
    // Cell borders fall to the even neighbour: round half to even.
    return {static_cast<int>(std::nearbyint(position.x() / picSprite_->width() * n - 0.5)),
            static_cast<int>(std::nearbyint(position.y() / picSprite_->height() * n - 0.5))};
}

bool frmSprite::MayPaint(QPointF position, int buttonState) const {
    const int n = EdgeFromOptions();
    const Cell cell = CellAt(position);
    return position.x() > 0 && position.y() > 0 && buttonState != 0 && cell.x < n && cell.y < n;
}

QColor frmSprite::ColourFor(int buttonState) const {
    if (buttonState == 1)
        return host_.ForeColour();
    if (buttonState == 2)
        return host_.BackColour();
    return Qt::black;
}

void frmSprite::PaintCell(Cell cell, const QColor& colour) {
    const int n = EdgeFromOptions();
    const auto index = Index();
    const auto bits = BitsForColour(ToRgb(colour));
    if (index && bits)
        host_.Document().SetPixel(*index, cell.x, cell.y, *bits);
    picSprite_->FillCell(cell.x, cell.y, n, colour);
    picPreview_->FillCell(cell.x, cell.y, n, colour);
}

void frmSprite::CommitCells(const std::vector<Cell>& cells, const QColor& colour,
                            const QString& step) {
    const auto index = Index();
    const auto bits = BitsForColour(ToRgb(colour));
    if (!index || !bits)
        return;
    ProjectDocument& document = host_.Document();
    document.BeginStroke(*index, step);
    for (const Cell& cell : cells)
        document.SetPixel(*index, cell.x, cell.y, *bits);
    document.EndStroke();
}

void frmSprite::PressAt(int button, QPointF position, Qt::KeyboardModifiers modifiers) {
    const Cell cell = CellAt(position);
    host_.SetCellStatus(QStringLiteral("%1 x %2").arg(cell.x + 1).arg(cell.y + 1));
    const bool inside = MayPaint(position, button);
    if (drag_.kind == Drag::Kind::Freehand) {
        // Another button joins a stroke: it goes on, with the colour of the buttons now held.
        PaintAt(static_cast<int>(QApplication::mouseButtons().toInt()), position);
        return;
    }
    if (drag_.kind != Drag::Kind::None)
        return;
    const auto index = Index();
    if (!index)
        return;

    if (modifiers & Qt::ControlModifier) {
        // Picking a colour paints nothing, whatever the tool.
        if (inside && (button == 1 || button == 2))
            host_.PickColour(button == 1 ? Qt::LeftButton : Qt::RightButton, ToQColor(ColourForBits(Record()->Bits(cell.x, cell.y))));
        drag_.kind = Drag::Kind::Done;
        return;
    }

    drag_.tool = host_.CurrentTool();
    drag_.colour = drag_.tool == Tool::Eraser ? ToQColor(kTransparentCyan) : ColourFor(button);
    drag_.anchor = drag_.last = cell;
    drag_.square = modifiers & Qt::ShiftModifier;
    switch (drag_.tool) {
    case Tool::Pencil:
    case Tool::Eraser:
        drag_.kind = Drag::Kind::Freehand;
        host_.Document().BeginStroke(*index, StepName(drag_.tool));
        if (inside) {
            const bool line = (modifiers & Qt::ShiftModifier) && lastPencilCell_;
            const std::vector<Cell> cells =
                line ? ClipToSprite(LineCells(*lastPencilCell_, cell), EdgeFromOptions())
                     : std::vector<Cell>{cell};
            for (const Cell& each : cells)
                PaintCell(each, drag_.colour);
            lastPencilCell_ = cell;
        }
        break;
    case Tool::Circle:
    case Tool::Rectangle:
        drag_.kind = inside ? Drag::Kind::Shape : Drag::Kind::Done;
        if (inside)
            ShowShapePreview();
        break;
    case Tool::Fill:
        drag_.kind = Drag::Kind::Done;
        if (inside) {
            CommitCells(FillRegion(*Record(), EdgeFromOptions(), cell), drag_.colour,
                        StepName(Tool::Fill));
            DrawSprite();
        }
        break;
    }
}

void frmSprite::MoveAt(int buttonState, QPointF position, Qt::KeyboardModifiers modifiers) {
    SetSquare(modifiers);
    PaintAt(buttonState, position);
}

void frmSprite::SetSquare(Qt::KeyboardModifiers modifiers) {
    const bool square = modifiers & Qt::ShiftModifier;
    if (square == drag_.square)
        return;
    drag_.square = square;
    if (drag_.kind == Drag::Kind::Shape)
        ShowShapePreview();
}

void frmSprite::PaintAt(int buttonState, QPointF position) {
    const Cell cell = CellAt(position);
    host_.SetCellStatus(QStringLiteral("%1 x %2").arg(cell.x + 1).arg(cell.y + 1));
    if (buttonState == 0)
        return;
    if (drag_.kind == Drag::Kind::Freehand) {
        // The whole way from the last position, so no speed of the hand leaves gaps.
        const QColor colour =
            drag_.tool == Tool::Eraser ? ToQColor(kTransparentCyan) : ColourFor(buttonState);
        std::vector<Cell> cells = ClipToSprite(LineCells(drag_.last, cell), EdgeFromOptions());
        if (!MayPaint(position, buttonState) && !cells.empty() && cells.back() == cell)
            cells.pop_back();
        for (const Cell& each : cells)
            PaintCell(each, colour);
        if (!cells.empty())
            lastPencilCell_ = cells.back();
        drag_.last = cell;
    } else if (drag_.kind == Drag::Kind::Shape && !(cell == drag_.last)) {
        drag_.last = cell;
        ShowShapePreview();
    }
}

std::vector<Cell> frmSprite::ShapeCells() const {
    const Cell corner = drag_.square ? SquareCorner(drag_.anchor, drag_.last) : drag_.last;
    std::vector<Cell> cells = drag_.tool == Tool::Rectangle ? RectangleCells(drag_.anchor, corner)
                                                            : EllipseCells(drag_.anchor, corner);
    return ClipToSprite(std::move(cells), EdgeFromOptions());
}

void frmSprite::ShowShapePreview() {
    DrawSprite();
    const int n = EdgeFromOptions();
    PictureSurface::CellPainter canvas(*picSprite_, n);
    PictureSurface::CellPainter preview(*picPreview_, n);
    for (const Cell& cell : ShapeCells()) {
        canvas.Fill(cell.x, cell.y, drag_.colour);
        preview.Fill(cell.x, cell.y, drag_.colour);
    }
}

void frmSprite::Release(int stillHeld, Qt::KeyboardModifiers modifiers) {
    if (stillHeld == 0) {
        SetSquare(modifiers);
        if (drag_.kind == Drag::Kind::Shape)
            CommitCells(ShapeCells(), drag_.colour, StepName(drag_.tool));
        host_.Document().EndStroke();
        drag_ = {};
    }
    DrawSprite();
}

void frmSprite::CancelShape() {
    if (drag_.kind != Drag::Kind::Shape)
        return;
    drag_.kind = Drag::Kind::Done; // the buttons still held release into nothing
    DrawSprite();
}

} // namespace vellicor
