// Writing 16-bit PCM RIFF WAVE files, and turning float signals into their samples.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace veltrano::assetgen {

// Scales the signal so that its loudest sample reaches `peak` (of full scale) and rounds it to 16 bits.
// A silent signal stays silent. Values are clamped, so nothing can wrap around.
std::vector<int16_t> ToPcm16(const std::vector<float>& signal, double peak);

// Subtracts the signal's mean: an offset only eats headroom and thumps when the sound starts.
void RemoveDc(std::vector<float>& signal);

// An effect ready to write: no offset, a fade of a millisecond or two at each end so that it starts
// and ends at zero, its loudest sample at `peak`.
std::vector<int16_t> FinishEffect(std::vector<float> signal, double peak);

// A stereo loop of music ready to write, as interleaved left and right samples: no offset, scaled to
// an RMS of `rms` (of full scale, over both sides), and turned so that it starts at a quiet zero
// crossing a few milliseconds before its first beat. Turning a loop keeps its join seamless, and a
// piece that starts at zero starts without a click.
std::vector<int16_t> FinishLoop(std::vector<float> left, std::vector<float> right, double rms);

// 16-bit samples at `rate` Hz, `channels` (1 or 2) interleaved.
bool WriteWave(const std::filesystem::path& path, const std::vector<int16_t>& samples, int rate,
               std::string* error, int channels = 1);

}  // namespace veltrano::assetgen
