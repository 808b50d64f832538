// The playfield: the part of the world the ship flies in and everything else is placed against. Its
// edges are the world's, not the screen's; the display shows the field whole.
#pragma once

namespace veltrano {

constexpr int FieldWidth = 640;
constexpr int FieldHeight = 480;

}  // namespace veltrano
