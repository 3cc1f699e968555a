#pragma once

#include "history/sprite_steps.h"
#include "model/sprite_table.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QUndoStack;

namespace vellicor {

// The open project: its sprites, its name, the file it lives in and whether it holds changes
// that are not in that file. Every change to a sprite goes through here, so the histories,
// the modified state and the recovery journal see each one; windows only read the table.
class ProjectDocument : public QObject, private SpriteStepTarget {
    Q_OBJECT
  public:
    explicit ProjectDocument(QObject* parent = nullptr);
    ~ProjectDocument() override;

    const SpriteTable& Table() const { return table_; }
    const SpriteRecord& Record(int index) const { return table_.Record(index); }
    // Empty until the first project is created or opened.
    QString Name() const { return name_; }
    bool HasProject() const { return !name_.isEmpty(); }
    // Empty until the project is saved or was opened from a file.
    QString FilePath() const { return filePath_; }
    bool IsModified() const { return structureChanged_ || uncleanHistories_ > 0; }

    // A new, empty project that nothing needs saving for.
    void StartProject(const QString& name);
    // A project read from a file or brought back after a crash, replacing the current one
    // whole with fresh histories. It starts unmodified unless it holds unsaved work.
    void ReplaceProject(const QString& name, SpriteTable table, const QString& path,
                        bool unsaved = false);
    // The project now matches the file at `path`.
    void MarkSaved(const QString& path);

    // Appends a sprite and returns its index.
    int AppendSprite(const QString& name);
    // Appends a sprite with the size and pixels of `picture` and returns its index. The picture
    // is one step of the new sprite's history, "Import PNG": sprites are never removed one by
    // one, so undoing it leaves the sprite in the project as New Sprite makes it, blank and
    // without a size, and redo brings the picture back.
    int ImportSprite(const QString& name, const SpriteRecord& picture);
    // Pixels written between BeginStroke and EndStroke make one step of the sprite's history;
    // a pixel written outside a stroke is a step of its own.
    void BeginStroke(int index, const QString& text = QStringLiteral("Paint"));
    void EndStroke();
    bool InStroke() const { return strokeIndex_ >= 0; }
    // Writes one pixel; returns whether its bits changed.
    bool SetPixel(int index, int x, int y, PlaneBits bits);
    void SetSize(int index, int size);
    // Whether the sprite's editor is open: part of how the project looks, not a change to it.
    void SetOpen(int index, bool open);
    std::vector<int> OpenEditors() const;

    // The sprite's own history, made when first asked for.
    QUndoStack* History(int index);

  signals:
    // A completed step changed sprite `index` (its pixels, size, or its creation).
    void StepCompleted(int index);
    // Undo or redo changed the sprite: its windows repaint and show its size.
    void SpriteRestored(int index);
    void ModifiedChanged(bool modified);
    // The project was replaced, or its file changed.
    void IdentityChanged();

  private:
    void ApplyPixels(int index, const std::vector<PixelChange>& changes, bool after) override;
    void ApplySize(int index, int size) override;
    void DropHistories();
    // Tells the windows when the modified state moved.
    void ReportModified();

    SpriteTable table_;
    QString name_;
    QString filePath_;
    bool structureChanged_ = false;
    int uncleanHistories_ = 0;
    bool reportedModified_ = false;
    std::vector<std::unique_ptr<QUndoStack>> histories_;
    int strokeIndex_ = -1;
    QString strokeText_;
    std::vector<PixelChange> strokeChanges_;
};

} // namespace vellicor
