#pragma once

#include "history/sprite_steps.h"
#include "history/structure_steps.h"
#include "model/sprite_table.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>
#include <unordered_set>
#include <vector>

namespace vellicor {

// The open project: its sprites, its name, the file it lives in and whether it holds changes
// that are not in that file. Every change to a sprite goes through here, so the histories,
// the modified state and the recovery journal see each one; windows only read the table.
class ProjectDocument : public QObject, private SpriteStepTarget, private StructureStepTarget {
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
    bool IsModified() const {
        return unsavedWhenReplaced_ || !projectHistory_.isClean() || !uncleanHistories_.empty();
    }

    // A new, empty project that nothing needs saving for.
    void StartProject(const QString& name);
    // A project read from a file or brought back after a crash, replacing the current one
    // whole with fresh histories. It starts unmodified unless it holds unsaved work.
    void ReplaceProject(const QString& name, SpriteTable table, const QString& path,
                        bool unsaved = false);
    // The project now matches the file at `path`.
    void MarkSaved(const QString& path);

    // Appends a blank sprite without a size and returns its index: one step of the project's
    // history, "New Sprite".
    int AppendSprite(const QString& name);
    // Appends whole sprites, made by an import, as one step of the project's history named
    // `text`, and returns the index of the first. Their editors start closed.
    int AddSprites(std::vector<SpriteRecord> records, const QString& text);
    // Appends a sprite with the size and pixels of `picture` and returns its index. Adding it
    // is a step of the project's history and its picture a step of its own, both "Import
    // PNG": undo in its editor leaves it blank and without a size, as New Sprite makes it,
    // and undo in the project takes it out.
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
    // The history of sprites added to the project: New Sprite and the imports.
    QUndoStack* ProjectHistory() { return &projectHistory_; }

  signals:
    // A completed step changed sprite `index` (its pixels, size, or its creation).
    void StepCompleted(int index);
    // Undo or redo changed the sprite: its windows repaint and show its size.
    void SpriteRestored(int index);
    void ModifiedChanged(bool modified);
    // Sprites first .. first + count - 1 were added at the end, by a command or by redo.
    void SpritesAdded(int first, int count);
    // Undo took the sprites from `first` to the end out of the project.
    void SpritesRemoved(int first);
    // The history of a sprite that undo took out: it is kept aside and must not be offered.
    void HistoryRetired(QUndoStack* history);
    // The project was replaced, or its file changed.
    void IdentityChanged();
    // A sprite's window opened or closed.
    void EditorsChanged();

  private:
    void ApplyPixels(int index, const std::vector<PixelChange>& changes, bool after) override;
    void ApplySize(int index, int size) override;
    // Appends and records the step; the caller reports the change.
    int AppendToProject(std::vector<SpriteRecord> records, const QString& text);
    KeptSprites TakeSprites(int first) override;
    void PutBackSprites(KeptSprites kept) override;
    void WatchHistory(QUndoStack& history);
    // A history moved or was saved: the modified state follows it, then what its undo or
    // redo changed is told.
    void Settle(const QUndoStack& history);
    void DropHistories();
    // Tells the windows when the modified state moved.
    void ReportModified();

    SpriteTable table_;
    QString name_;
    QString filePath_;
    // A recovered project holds work that no file has, before any history does.
    bool unsavedWhenReplaced_ = false;
    // Histories of sprites in the project that differ from the saved state.
    std::unordered_set<const QUndoStack*> uncleanHistories_;
    // What the undo or redo running now changed. A history tells that it moved only after
    // the step has run, so this waits until then: listeners then see the modified state that
    // follows the step, not the one before it.
    struct StepEffects {
        int restored = -1;    // the sprite whose pixels or size changed
        int addedFrom = -1;   // sprites put back from here to the end
        int removedFrom = -1; // sprites taken out from here to the end
    } pending_;
    bool reportedModified_ = false;
    std::vector<std::unique_ptr<QUndoStack>> histories_;
    QUndoStack projectHistory_;
    int strokeIndex_ = -1;
    QString strokeText_;
    std::vector<PixelChange> strokeChanges_;
};

} // namespace vellicor
