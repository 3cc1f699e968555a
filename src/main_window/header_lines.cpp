#include "header_lines.h"

#include "document/project_document.h"
#include "export/header_text.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace vellicor {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Line `line` of the sprite's lines in the header, without its line end.
std::string_view LineOf(std::string_view lines, int line) {
    for (int i = 0; i < line; ++i)
        lines.remove_prefix(lines.find(kLineEnd) + kLineEnd.size());
    return lines.substr(0, lines.find(kLineEnd));
}

// The widest of a sprite's lines with every pixel of every plane set: the most digits a row
// can take.
int WidestFullLine(int size) {
    SpriteRecord full;
    full.Size = static_cast<std::int16_t>(size);
    for (int y = 0; y < kPlaneSide; ++y)
        for (Plane* plane : {&full.PlaneDark, &full.PlaneLight, &full.PlaneMask})
            plane->SetFullRow(y, ~std::uint32_t{0});
    std::string lines;
    AppendSpriteHeader(lines, full);
    int widest = 0;
    for (int line = 0; line < HeaderLines::kLinesPerSprite; ++line)
        widest = std::max(widest, static_cast<int>(LineOf(lines, line).size()));
    return widest;
}

} // namespace

HeaderLines::HeaderLines(const ProjectDocument& document, QObject* parent)
    : QAbstractListModel(parent), document_(document) {}

int HeaderLines::WidestLine(const SpriteRecord& sprite) {
    const int size = std::clamp<int>(sprite.Size, 0, kPlaneSide);
    int& unnamed = widestUnnamed_[static_cast<std::size_t>(size)];
    if (unnamed == 0)
        unnamed = WidestFullLine(size);
    return unnamed + static_cast<int>(ToLatin1(sprite.Name).size());
}

void HeaderLines::Reset() {
    beginResetModel();
    shownSprites_ = document_.Table().SpriteCount();
    activeSprite_ = -1;
    widest_ = 0;
    for (const SpriteRecord& sprite : document_.Table().Sprites())
        widest_ = std::max(widest_, WidestLine(sprite));
    endResetModel();
}

void HeaderLines::Refresh(int sprite) {
    const int widest = std::max(widest_, WidestLine(document_.Record(sprite)));
    if (sprite == shownSprites_) {
        // Rows inserted lay the view out again, at its new width too.
        beginInsertRows({}, rowCount(), rowCount() + kLinesPerSprite - 1);
        ++shownSprites_;
        widest_ = widest;
        endInsertRows();
        return;
    }
    if (widest != widest_) {
        emit layoutAboutToBeChanged();
        widest_ = widest;
        emit layoutChanged();
    }
    const int first = sprite * kLinesPerSprite;
    emit dataChanged(index(first), index(first + kLinesPerSprite - 1), {Qt::DisplayRole});
}

void HeaderLines::SetActive(int sprite, const QBrush& shade) {
    shade_ = shade;
    const int active = sprite < shownSprites_ ? sprite : -1;
    if (active == activeSprite_)
        return;
    ChangeActive(std::exchange(activeSprite_, active));
    ChangeActive(active);
}

void HeaderLines::ChangeActive(int sprite) {
    if (sprite < 0)
        return;
    const int first = sprite * kLinesPerSprite;
    emit dataChanged(index(first), index(first + kLinesPerSprite - 2), {Qt::BackgroundRole});
}

int HeaderLines::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownSprites_ * kLinesPerSprite;
}

QVariant HeaderLines::data(const QModelIndex& line, int role) const {
    const int sprite = line.row() / kLinesPerSprite;
    // While the view is hidden the document may hold fewer sprites than it shows.
    if (line.row() < 0 || sprite >= document_.Table().SpriteCount())
        return {};
    const int inSprite = line.row() % kLinesPerSprite;
    switch (role) {
    case Qt::DisplayRole: {
        std::string lines;
        AppendSpriteHeader(lines, document_.Record(sprite));
        const std::string_view text = LineOf(lines, inSprite);
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::BackgroundRole:
        return sprite == activeSprite_ && inSprite < kLinesPerSprite - 1 ? shade_ : QVariant();
    case Qt::SizeHintRole:
        // One character more than the widest line leaves room for the item's margins.
        return QSizeF(character_.width() * (widest_ + 1), character_.height()).toSize();
    default:
        return {};
    }
}

} // namespace vellicor
