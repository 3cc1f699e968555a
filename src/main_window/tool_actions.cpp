#include "tool_actions.h"

#include "artwork.h"

#include <QAction>
#include <QWidget>
#include <utility>

namespace vellicor {
namespace {

// Each button's key and tip, which also names its image.
constexpr std::pair<const char*, const char*> kTools[] = {
    {"pencil", "Pencil"},       {"eraser", "Eraser"}, {"circle", "Circle"},
    {"rectangle", "Rectangle"}, {"fill", "Fill"},     {"select", "Select"}};

} // namespace

ToolActions::ToolActions(QObject* parent) : QActionGroup(parent) {
    setExclusionPolicy(ExclusionPolicy::ExclusiveOptional);
    for (const auto& [key, tip] : kTools) {
        auto* action =
            new QAction(ToolbarIcon(QString::fromLatin1(tip)), QString::fromLatin1(tip), this);
        action->setObjectName(QString::fromLatin1(key));
        action->setData(QString::fromLatin1(key));
        action->setToolTip(QString::fromLatin1(tip));
        action->setCheckable(true);
        addAction(action);
    }
}

Tool ToolActions::Current() const {
    const auto index = static_cast<int>(actions().indexOf(checkedAction()));
    return index < 0 ? Tool::Pencil : static_cast<Tool>(index);
}

void ToolActions::Select(Tool tool) {
    actions().at(static_cast<int>(tool))->setChecked(true);
}

void ToolActions::AddKeys(QWidget* area) {
    const std::pair<Qt::Key, Tool> keys[] = {
        {Qt::Key_B, Tool::Pencil}, {Qt::Key_P, Tool::Pencil},    {Qt::Key_E, Tool::Eraser},
        {Qt::Key_C, Tool::Circle}, {Qt::Key_R, Tool::Rectangle}, {Qt::Key_F, Tool::Fill},
        {Qt::Key_G, Tool::Fill},   {Qt::Key_S, Tool::Select}};
    for (const auto& [key, tool] : keys) {
        auto* action = new QAction(area);
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [this, tool = tool] { Select(tool); });
        area->addAction(action);
    }
}

} // namespace vellicor
