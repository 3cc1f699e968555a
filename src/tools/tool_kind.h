#pragma once

namespace vellicor {

// The drawing tools of the toolbar, in its order; with none pressed the canvas paints as the
// pencil does. Select paints nothing: it picks the cells that moves and the clipboard act on.
enum class Tool { Pencil, Eraser, Circle, Rectangle, Fill, Select };

} // namespace vellicor
