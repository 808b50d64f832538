// The drum kit of the music: every drum made from a sine with a falling pitch and filtered noise.
#pragma once

#include <cstdint>
#include <vector>

namespace veltrano::assetgen {

// One hit; the pitch class of midiNote picks the drum (c kick, d snare, e closed hat, f open hat,
// g low tom, a high tom, b crash; anything else a rim click), its octave tunes the toms.
std::vector<float> RenderDrum(int midiNote, double velocity, uint32_t seed);

}  // namespace veltrano::assetgen
