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

// One channel of 16-bit samples at `rate` Hz.
bool WriteWave(const std::filesystem::path& path, const std::vector<int16_t>& samples, int rate,
               std::string* error);

}  // namespace veltrano::assetgen
