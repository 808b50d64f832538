// A wave reader for the sound tests, written apart from the generator's writer so that a mistake
// in one is not mirrored by the other.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace veltrano::soundtest {

struct TestWave {
    std::string problem;  // empty when the file is a well-formed wave
    int format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    std::vector<int16_t> samples;
    double Seconds() const {
        return rate > 0 && channels > 0 ? static_cast<double>(samples.size()) / channels / rate : 0.0;
    }
};

inline uint32_t LittleEndian(const std::string& bytes, size_t at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

inline TestWave ReadTestWave(const std::filesystem::path& path) {
    TestWave wave;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::string bytes(file ? static_cast<size_t>(file.tellg()) : 0, '\0');
    file.seekg(0);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        wave.problem = "not a RIFF WAVE file";
        return wave;
    }
    if (LittleEndian(bytes, 4, 4) != bytes.size() - 8) {
        wave.problem = "RIFF size does not match the file";
        return wave;
    }
    bool sawFormat = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const size_t size = LittleEndian(bytes, at + 4, 4);
        if (at + 8 + size > bytes.size()) {
            wave.problem = "chunk " + id + " runs past the end";
            return wave;
        }
        if (id == "fmt " && size >= 16) {
            wave.format = static_cast<int>(LittleEndian(bytes, at + 8, 2));
            wave.channels = static_cast<int>(LittleEndian(bytes, at + 10, 2));
            wave.rate = static_cast<int>(LittleEndian(bytes, at + 12, 4));
            wave.byteRate = static_cast<int>(LittleEndian(bytes, at + 16, 4));
            wave.blockAlign = static_cast<int>(LittleEndian(bytes, at + 20, 2));
            wave.bits = static_cast<int>(LittleEndian(bytes, at + 22, 2));
            sawFormat = true;
        } else if (id == "data") {
            if (!sawFormat) {
                wave.problem = "data before fmt";
                return wave;
            }
            wave.samples.resize(size / 2);
            for (size_t i = 0; i < wave.samples.size(); ++i)
                wave.samples[i] = static_cast<int16_t>(LittleEndian(bytes, at + 8 + 2 * i, 2));
            return wave;
        }
        at += 8 + size + (size & 1);
    }
    wave.problem = "no data chunk";
    return wave;
}

}  // namespace veltrano::soundtest
