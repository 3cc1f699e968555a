#pragma once

namespace vellicor {

// The drawing tools of the toolbar, in its order; with none pressed the canvas paints as the
// pencil does.
enum class Tool { Pencil, Eraser, Circle, Rectangle, Fill };

} // namespace vellicor
