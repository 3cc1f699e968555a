#include "sprite_windows.h"

#include "document/project_document.h"
#include "editor/frm_sprite.h"
#include "model/sprite_identity.h"
#include "project_tree.h"

#include <QMdiArea>

namespace vellicor {

SpriteWindows::SpriteWindows(EditorHost& host, ProjectTree& tree, QMdiArea& area, QObject* parent)
    : QObject(parent), host_(host), tree_(tree), area_(area) {
    connect(&area, &QMdiArea::subWindowActivated, this, &SpriteWindows::ActiveChanged);
    // A double-click opens a closed sprite's window again; an open one stays as it is.
    connect(&tree, &ProjectTree::OpenRequested, this, [this] {
        const auto index = tree_.SelectedSprite();
        if (index && !host_.Document().Record(*index).IsOpen)
            Show(*index);
    });
}

void SpriteWindows::Show(int index) {
    tree_.SelectSprite(index);
    emit Opening();
    Open(index);
}

void SpriteWindows::Open(int index) {
    const auto slot = static_cast<std::size_t>(index);
    if (windows_.size() <= slot)
        windows_.resize(slot + 1);
    // Windows are made when a sprite is first shown, so opening a large project makes none.
    if (!windows_[slot]) {
        auto* window = new frmSprite(host_, &area_);
        area_.addSubWindow(window);
        windows_[slot] = window;
    }
    frmSprite* window = windows_[slot];
    window->SetCaption(QString::fromStdString(host_.Document().Record(index).Name));
    window->Load(index);
    window->showMaximized();
    emit ActiveChanged(); // it may have become active before it was loaded
}

void SpriteWindows::Follow(const std::vector<int>& sources) {
    std::vector<QPointer<frmSprite>> moved(sources.size());
    std::vector<bool> stays(windows_.size(), false);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto from = static_cast<std::size_t>(sources[i]);
        if (sources[i] >= 0 && from < windows_.size()) {
            moved[i] = windows_[from];
            stays[from] = true;
        }
    }
    // Every window is bound to its sprite's new index before any closes: closing one
    // activates another, which must already read its own sprite.
    std::vector<QPointer<frmSprite>> leaving;
    for (std::size_t slot = 0; slot < windows_.size(); ++slot) {
        if (!stays[slot] && windows_[slot]) {
            windows_[slot]->Retag(std::nullopt);
            leaving.push_back(windows_[slot]);
        }
    }
    windows_ = std::move(moved);
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i])
            windows_[i]->Retag(static_cast<int>(i));
    }
    for (const QPointer<frmSprite>& window : leaving) {
        if (window) {
            window->close();
            window->deleteLater(); // its sprite has a new window if it comes back
        }
    }
    const ProjectDocument& document = host_.Document();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const int index = static_cast<int>(i);
        if (sources[i] < 0 && index < document.Table().SpriteCount() &&
            document.Record(index).IsOpen)
            Open(index);
    }
    emit ActiveChanged();
}

void SpriteWindows::Rename(int index) {
    const auto slot = static_cast<std::size_t>(index);
    if (slot < windows_.size() && windows_[slot])
        windows_[slot]->SetCaption(QString::fromStdString(host_.Document().Record(index).Name));
}

void SpriteWindows::DropAll() {
    const SpriteTable& table = host_.Document().Table();
    for (int i = 0; i < table.SpriteCount(); ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (table.Record(i).IsOpen && slot < windows_.size() && windows_[slot])
            windows_[slot]->close();
    }
    for (const QPointer<frmSprite>& window : windows_) {
        if (window)
            window->deleteLater();
    }
    windows_.clear();
}

void SpriteWindows::CloseFrom(int first) {
    for (auto slot = static_cast<std::size_t>(first); slot < windows_.size(); ++slot) {
        if (windows_[slot])
            windows_[slot]->close();
    }
}

void SpriteWindows::CloseAll() {
    area_.closeAllSubWindows();
}

void SpriteWindows::ShowGrid() const {
    for (const QPointer<frmSprite>& window : windows_) {
        if (window)
            window->ShowGrid();
    }
}

void SpriteWindows::CommitFloating() const {
    for (const QPointer<frmSprite>& window : windows_) {
        if (window)
            window->CommitFloating();
    }
}

std::optional<int> SpriteWindows::ActiveSprite() const {
    const auto* editor = qobject_cast<frmSprite*>(area_.activeSubWindow());
    const auto index = editor ? IndexFromTag(editor->Tag().toStdString()) : std::nullopt;
    // A window that is closing still counts as active until another one takes over.
    const ProjectDocument& document = host_.Document();
    const bool open =
        index && *index < document.Table().SpriteCount() && document.Record(*index).IsOpen;
    return open ? index : std::nullopt;
}

bool SpriteWindows::Holds(const QWidget* widget) const {
    return area_.isAncestorOf(widget);
}

} // namespace vellicor
