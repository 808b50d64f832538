#include "tools/assetgen/SoundSynth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veltrano::assetgen {

namespace {

// Built from a recurrence of exact rotations rather than std::sin, so the table is the same whatever
// the maths library.
std::array<double, SineTableSize + 1> BuildSineTable() {
    std::array<double, SineTableSize + 1> t{};
    // cos and sin of one step by their series, then rotate step by step in long double.
    const long double step = 2.0L * 3.14159265358979323846264338327950288L / SineTableSize;
    long double c = 1, s = 0, term = 1;
    for (int k = 1; k < 30; ++k) {
        term *= step / k;
        if (k % 4 == 1) s += term;
        if (k % 4 == 2) c -= term;
        if (k % 4 == 3) s -= term;
        if (k % 4 == 0) c += term;
    }
    long double x = 1, y = 0;
    for (int i = 0; i <= SineTableSize; ++i) {
        t[i] = static_cast<double>(y);
        const long double nx = x * c - y * s;
        y = x * s + y * c;
        x = nx;
    }
    t[0] = t[SineTableSize / 2] = t[SineTableSize] = 0.0;
    t[SineTableSize / 4] = 1.0;
    t[3 * SineTableSize / 4] = -1.0;
    return t;
}

const std::array<double, SineTableSize + 1> SineValues = BuildSineTable();

}  // namespace

const double* const SineTable = SineValues.data();

double OnePoleCoefficient(double cutoffHz, double rate) {
    const double k = 1.0 - std::exp(-2.0 * Pi * cutoffHz / rate);
    return std::clamp(k, 0.0, 1.0);
}

double SvfCoefficient(double cutoffHz, double rate) {
    const double f = 2.0 * std::sin(Pi * std::min(cutoffHz, rate / 6.0) / rate);
    return std::clamp(f, 0.0001, 1.0);
}

void MixInto(std::vector<float>& into, const std::vector<float>& from, size_t offset, double gain) {
    if (into.size() < offset + from.size()) into.resize(offset + from.size(), 0.0f);
    for (size_t i = 0; i < from.size(); ++i) into[offset + i] += static_cast<float>(from[i] * gain);
}

}  // namespace veltrano::assetgen
