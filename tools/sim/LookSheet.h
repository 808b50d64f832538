// The look of every stage at a glance: the title and the ten stages played by the parked,
// untouchable pilot, their screens measured (colourfulness, luma, distinct colours) every few hundred
// frames, the cells drawn in play read over their backdrops, and the first screens laid side by side
// on one sheet.
#pragma once

#include <string>

namespace veltrano {

struct LookOptions {
    std::string Data;   // program folder
    std::string Sheet;  // the PNG to write
    int Every = 600;    // measure a screen every this many frames
    int Frames = 3000;  // up to this frame
    bool Fire = true;   // the pilot holds fire
};

// Prints one line of figures per screen measured and a summary per scene; false (the reason on
// stderr) when the sheet cannot be written.
bool WriteLookSheet(const LookOptions& o);

}  // namespace veltrano
