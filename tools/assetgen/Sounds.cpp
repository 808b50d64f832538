// Placeholder waves (a short tone each) for all twenty-three names, until the real sounds land.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

#include "tools/assetgen/Assets.h"

namespace veltrano::assetgen {

namespace {

bool WriteTone(const std::filesystem::path& path, double hz, double seconds, std::string* error) {
    const int rate = 22050;
    const int count = static_cast<int>(rate * seconds);
    std::vector<int16_t> samples(count);
    for (int i = 0; i < count; ++i)
        samples[i] = static_cast<int16_t>(3000 * std::sin(2 * 3.14159265358979 * hz * i / rate));
    const uint32_t dataBytes = static_cast<uint32_t>(count * 2);
    std::ofstream out(path, std::ios::binary);
    auto put32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    put32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    out.write("data", 4);
    put32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
    if (!out) {
        if (error) *error = path.string() + ": cannot write";
        return false;
    }
    return true;
}

}  // namespace

bool WriteSounds(const std::filesystem::path& out, std::string* error) {
    const char* names[] = {"Shot", "EnemyDeath", "BigEnemyDeath", "BossDeath", "Item", "Speed", "MeDeath",
                           "Bomb", "BossAlarm", "Stage1", "Stage2", "Stage3", "Stage4", "Stage5", "Stage6",
                           "Stage7", "Stage8", "Stage9", "Stage10", "Boss", "Boss2", "LastBattle", "Ending"};
    double hz = 220;
    for (const char* name : names) {
        if (!WriteTone(out / "Sounds" / (std::string(name) + ".wav"), hz, 0.25, error)) return false;
        hz *= 1.05;
    }
    return true;
}

}  // namespace veltrano::assetgen
