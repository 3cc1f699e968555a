#pragma once

#include "drawing_tool.h"

#include <functional>
#include <utility>

namespace vellicor {

// Tools that do all they do at the press.

// Fills the area of the pressed pixel (pixels of its colour, touching side by side) as one step.
class FillTool : public DrawingTool {
  public:
    bool Press(ToolCanvas& canvas, const ToolInput& input) override;
};

// Ctrl with any tool: the pressed pixel's colour becomes the left or right button's, and
// nothing is painted.
class ColourPickTool : public DrawingTool {
  public:
    using Picked = std::function<void(Qt::MouseButton button, Rgb colour)>;
    explicit ColourPickTool(Picked picked) : picked_(std::move(picked)) {}

    bool Press(ToolCanvas& canvas, const ToolInput& input) override;

  private:
    Picked picked_;
};

} // namespace vellicor
