#pragma once

#include "model/sprite_table.h"

#include <QObject>
#include <QString>

namespace vellicor {

// The open project: its sprites, its name, the file it lives in and whether it holds changes
// that are not in that file. Every change to a sprite goes through here, so the modified
// state sees each one; windows only read the table.
class ProjectDocument : public QObject {
    Q_OBJECT
  public:
    explicit ProjectDocument(QObject* parent = nullptr);

    const SpriteTable& Table() const { return table_; }
    const SpriteRecord& Record(int index) const { return table_.Record(index); }
    // Empty until the first project is created or opened.
    QString Name() const { return name_; }
    bool HasProject() const { return !name_.isEmpty(); }
    // Empty until the project is saved or was opened from a file.
    QString FilePath() const { return filePath_; }
    bool IsModified() const { return modified_; }

    // A new, empty project that nothing needs saving for.
    void StartProject(const QString& name);
    // A project read from `path`, replacing the current one whole; it starts unmodified.
    void ReplaceProject(const QString& name, SpriteTable table, const QString& path);
    // The project now matches the file at `path`.
    void MarkSaved(const QString& path);

    // Appends a sprite and returns its index.
    int AppendSprite(const QString& name);
    // Writes one pixel; returns whether its bits changed.
    bool SetPixel(int index, int x, int y, PlaneBits bits);
    void SetSize(int index, int size);
    // Whether the sprite's editor is open: part of how the project looks, not a change to it.
    void SetOpen(int index, bool open);

  signals:
    void ModifiedChanged(bool modified);
    // Any change to the project's content.
    void Changed();
    // The project was replaced or renamed, or its file changed.
    void IdentityChanged();

  private:
    void NoteChange();
    void SetModified(bool modified);

    SpriteTable table_;
    QString name_;
    QString filePath_;
    bool modified_ = false;
};

} // namespace vellicor
