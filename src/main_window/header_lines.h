#pragma once

#include "model/sprite_record.h"

#include <QAbstractListModel>
#include <QBrush>
#include <QSize>
#include <array>

namespace vellicor {

class ProjectDocument;

// The lines of the project's header as Compile writes them, each made from its sprite when the
// view asks for it: a view of a header of tens of megabytes holds only what is on the screen.
// The active sprite's three lines are shaded.
class HeaderLines : public QAbstractListModel {
    Q_OBJECT
  public:
    static constexpr int kLinesPerSprite = 4; // dark, light, mask and the empty line

    HeaderLines(const ProjectDocument& document, QObject* parent);

    // Shows the sprites the document holds now.
    void Reset();
    // The sprite's lines changed, or it was added at the end.
    void Refresh(int sprite);
    int ShownSprites() const { return shownSprites_; }
    // The sprite whose lines are shaded with `shade`; -1 for none.
    void SetActive(int sprite, const QBrush& shade);
    // The size of one character of the view's font, for the lines' size. Its width is seldom
    // a whole number of pixels, and hundreds of characters would add up the rounding.
    void SetCharacterSize(QSizeF size) { character_ = size; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& line, int role = Qt::DisplayRole) const override;

  private:
    void ChangeActive(int sprite);
    // The most characters a line of the sprite can take, whatever its pixels are: the width of
    // the view then follows only names and sizes, never a stroke.
    int WidestLine(const SpriteRecord& sprite);

    const ProjectDocument& document_;
    int shownSprites_ = 0;
    int activeSprite_ = -1;
    QBrush shade_;
    QSizeF character_{8, 16};
    int widest_ = 0;
    // The widest line of an unnamed sprite of each size, made once.
    std::array<int, kPlaneSide + 1> widestUnnamed_{};
};

} // namespace vellicor
