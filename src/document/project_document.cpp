#include "project_document.h"

#include <utility>

namespace vellicor {

ProjectDocument::ProjectDocument(QObject* parent) : QObject(parent) {}

void ProjectDocument::StartProject(const QString& name) {
    table_.Reset();
    name_ = name;
    filePath_.clear();
    SetModified(false);
    emit IdentityChanged();
}

void ProjectDocument::ReplaceProject(const QString& name, SpriteTable table, const QString& path) {
    table_ = std::move(table);
    name_ = name;
    filePath_ = path;
    SetModified(false);
    emit IdentityChanged();
}

void ProjectDocument::MarkSaved(const QString& path) {
    const bool moved = path != filePath_;
    filePath_ = path;
    SetModified(false);
    if (moved)
        emit IdentityChanged();
}

int ProjectDocument::AppendSprite(const QString& name) {
    const int index = table_.Append(name.toStdString());
    NoteChange();
    return index;
}

bool ProjectDocument::SetPixel(int index, int x, int y, PlaneBits bits) {
    SpriteRecord& record = table_.Record(index);
    if (record.Bits(x, y) == bits)
        return false;
    record.SetBits(x, y, bits);
    NoteChange();
    return true;
}

void ProjectDocument::SetSize(int index, int size) {
    SpriteRecord& record = table_.Record(index);
    if (record.Size == size)
        return;
    record.Size = static_cast<std::int16_t>(size);
    NoteChange();
}

void ProjectDocument::SetOpen(int index, bool open) {
    table_.Record(index).IsOpen = open;
}

void ProjectDocument::NoteChange() {
    SetModified(true);
    emit Changed();
}

void ProjectDocument::SetModified(bool modified) {
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit ModifiedChanged(modified);
}

} // namespace vellicor
