#include "tools/assetgen/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace veltrano::assetgen {

std::vector<int16_t> ToPcm16(const std::vector<float>& signal, double peak) {
    double loudest = 0;
    for (float s : signal) loudest = std::max(loudest, std::fabs(static_cast<double>(s)));
    const double gain = loudest > 0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<int16_t> out(signal.size());
    for (size_t i = 0; i < signal.size(); ++i) {
        const double v = std::clamp(std::round(signal[i] * gain), -32767.0, 32767.0);
        out[i] = static_cast<int16_t>(v);
    }
    return out;
}

namespace {

// RIFF fields are little-endian whatever the host is.
void PutLe(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool WriteWave(const std::filesystem::path& path, const std::vector<int16_t>& samples, int rate,
               std::string* error) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string bytes;
    bytes.reserve(44 + dataBytes);
    bytes += "RIFF";
    PutLe(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLe(bytes, 16, 4);
    PutLe(bytes, 1, 2);  // PCM
    PutLe(bytes, 1, 2);  // mono
    PutLe(bytes, static_cast<uint32_t>(rate), 4);
    PutLe(bytes, static_cast<uint32_t>(rate * 2), 4);
    PutLe(bytes, 2, 2);
    PutLe(bytes, 16, 2);
    bytes += "data";
    PutLe(bytes, dataBytes, 4);
    for (int16_t s : samples) PutLe(bytes, static_cast<uint16_t>(s), 2);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        if (error) *error = path.string() + ": cannot write";
        return false;
    }
    return true;
}

}  // namespace veltrano::assetgen
