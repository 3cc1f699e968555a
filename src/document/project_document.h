#pragma once

#include "export/header_style.h"
#include "history/sprite_steps.h"
#include "history/structure_steps.h"
#include "model/sprite_identity.h"
#include "model/sprite_table.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <unordered_map>
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
        return unsavedWhenReplaced_ || !projectHistory_.isClean() || !uncleanHistories_.empty() ||
               compileStyle_ != savedCompileStyle_;
    }
    // How Compile writes the header, kept with the project. Choosing another marks the project
    // modified, as choosing the one it was saved with again unmarks it; it is no step of a
    // history: the user chooses it in Compile's dialog, not on the sprites.
    HeaderStyle CompileStyle() const { return compileStyle_; }
    void SetCompileStyle(HeaderStyle style);

    // A new, empty project that nothing needs saving for.
    void StartProject(const QString& name);
    // A project read from a file or brought back after a crash, replacing the current one
    // whole with fresh histories. It starts unmodified unless it holds unsaved work.
    void ReplaceProject(const QString& name, SpriteTable table, const QString& path,
                        bool unsaved = false, HeaderStyle style = HeaderStyle::Plain);
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
    // Each of these is one step of the project's history, which undo and redo take back and
    // put again whole; the caller has checked names against the name rules.
    // "Rename": the sprite's new name.
    void RenameSprite(int index, const QString& name);
    // "Rename": the project's new name.
    void RenameProject(const QString& name);
    // "Delete": the sprites at `indexes` leave the project with their histories; undo puts
    // each back where it was, with its pixels, size, history and open window.
    void DeleteSprites(std::vector<int> indexes);
    // "Duplicate": a copy of each sprite at `indexes` (size and all pixels, no history) right
    // after it, named by DuplicateName; returns the copies' indexes, none (and no step) when
    // they would not all fit in the project.
    std::vector<int> DuplicateSprites(std::vector<int> indexes);
    // "Move": the sprites in a new order, order[i] being the index before the step of the
    // sprite that goes to index i (a permutation of 0 .. SpriteCount() - 1).
    void MoveSprites(std::vector<int> order);
    // Indexes that name no sprite, given twice or in any order are taken as the set they name;
    // a command that would change nothing (the same name, no sprites, the same order) is no
    // step at all.

    // Who the sprite at `index` is, for as long as the project is open, wherever it moves.
    SpriteId IdOf(int index) const { return ids_.at(static_cast<std::size_t>(index)); }
    // Where that sprite is now, or nullopt while it is out of the project.
    std::optional<int> IndexOf(SpriteId sprite) const;

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
    // The history of the project's list of sprites: New Sprite, the imports, and the renames,
    // deletes, duplicates and moves.
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
    // The project was replaced, renamed, or its file changed.
    void IdentityChanged();
    // A step, its undo or its redo renamed the sprite.
    void SpriteRenamed(int index);
    // A step, its undo or its redo renamed the project; IdentityChanged follows.
    void ProjectRenamed();
    // A step, its undo or its redo deleted, inserted or reordered sprites: sources[i] is the
    // index before it of the sprite now at i, or -1 for a sprite put (back) into the project.
    // Sprites whose index is not in `sources` left the project. Windows and nodes follow their
    // sprites by it.
    void SpritesRearranged(const std::vector<int>& sources);
    // A sprite's window opened or closed.
    void EditorsChanged();
    // Compile's style was chosen (a project that comes with its own is IdentityChanged).
    void CompileStyleChanged();

  private:
    void ApplyPixels(SpriteId sprite, const std::vector<PixelChange>& changes, bool after) override;
    void ApplySize(SpriteId sprite, int size) override;
    // Appends and records the step; the caller reports the change.
    int AppendToProject(std::vector<SpriteRecord> records, const QString& text);
    KeptSprites TakeSprites(int first) override;
    void PutBackSprites(KeptSprites kept) override;
    KeptSprites RemoveSprites(const std::vector<int>& indexes) override;
    void InsertSprites(const std::vector<int>& indexes, KeptSprites kept) override;
    void ReorderSprites(const std::vector<int>& order) override;
    void ApplyName(int index, const QString& name) override;
    // The histories of sprites leaving the project go aside with them, no longer watched, and
    // come back with them.
    std::vector<std::unique_ptr<QUndoStack>> RetireHistories(const std::vector<SpriteId>& ids);
    void RestoreHistories(const std::vector<SpriteId>& ids,
                          std::vector<std::unique_ptr<QUndoStack>> histories);
    // `indexes` as the ascending set of sprites they name.
    std::vector<int> SpriteSet(std::vector<int> indexes) const;
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
    HeaderStyle compileStyle_ = HeaderStyle::Plain;
    HeaderStyle savedCompileStyle_ = HeaderStyle::Plain;
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
        int renamed = -1;     // the sprite renamed
        bool projectRenamed = false;
        std::optional<std::vector<int>> sources; // the list rearranged, as SpritesRearranged
    } pending_;
    bool reportedModified_ = false;
    // ids_[i] is the sprite at index i; histories are made when first asked for.
    std::vector<SpriteId> ids_;
    SpriteId nextId_ = 1;
    std::unordered_map<SpriteId, std::unique_ptr<QUndoStack>> histories_;
    QUndoStack projectHistory_;
    int strokeIndex_ = -1;
    QString strokeText_;
    std::vector<PixelChange> strokeChanges_;
};

} // namespace vellicor
