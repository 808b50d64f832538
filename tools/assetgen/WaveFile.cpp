#include "tools/assetgen/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "tools/assetgen/SoundSynth.h"

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

void RemoveDc(std::vector<float>& signal) {
    if (signal.empty()) return;
    double sum = 0;
    for (float s : signal) sum += s;
    const auto mean = static_cast<float>(sum / static_cast<double>(signal.size()));
    for (float& s : signal) s -= mean;
}

namespace {

// Raised-cosine fades over `length` samples at the start and at the end.
void FadeEnds(std::vector<float>& signal, size_t in, size_t out) {
    in = std::min(in, signal.size() / 2);
    out = std::min(out, signal.size() / 2);
    for (size_t i = 0; i < in; ++i)
        signal[i] *=
            static_cast<float>(0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / static_cast<double>(in)));
    for (size_t i = 0; i < out; ++i)
        signal[signal.size() - 1 - i] *=
            static_cast<float>(0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / static_cast<double>(out)));
}

// A join this close to zero (of 32767) starts without an audible click.
constexpr int QuietJoin = 160;

int16_t ToSample(double v) {
    return static_cast<int16_t>(std::clamp(std::round(v), -32767.0, 32767.0));
}

}  // namespace

std::vector<int16_t> FinishEffect(std::vector<float> signal, double peak) {
    RemoveDc(signal);
    FadeEnds(signal, SampleRate / 1000, SampleRate / 200);
    return ToPcm16(signal, peak);
}

std::vector<int16_t> FinishLoop(std::vector<float> left, std::vector<float> right, double rms) {
    RemoveDc(left);
    RemoveDc(right);
    const size_t n = std::min(left.size(), right.size());
    double energy = 0;
    for (size_t i = 0; i < n; ++i)
        energy += static_cast<double>(left[i]) * left[i] + static_cast<double>(right[i]) * right[i];
    const double level = n == 0 ? 0.0 : std::sqrt(energy / static_cast<double>(2 * n));
    const double gain = level > 0 ? rms * 32767.0 / level : 0.0;
    std::vector<int16_t> pcm(2 * n);
    for (size_t i = 0; i < n; ++i) {
        pcm[2 * i] = ToSample(left[i] * gain);
        pcm[2 * i + 1] = ToSample(right[i] * gain);
    }
    if (n < 2) return pcm;

    // The new start is the quietest pair of neighbouring frames in the last 40 ms: the piece then
    // opens with those few milliseconds of its own ringing tail and meets its first beat on time.
    auto loudness = [&](size_t frame) {
        return std::max(std::abs(pcm[2 * frame]), std::abs(pcm[2 * frame + 1]));
    };
    const size_t search = std::min<size_t>(SampleRate / 25, n - 1);
    size_t start = 0;
    int quietest = 65536;
    for (size_t back = 0; back < search && quietest > 0; ++back) {
        const size_t at = (n - back) % n;
        const int loud = std::max(loudness(at), loudness((at + n - 1) % n));
        if (loud < quietest) {
            quietest = loud;
            start = at;
        }
    }
    std::rotate(pcm.begin(), pcm.begin() + static_cast<std::ptrdiff_t>(2 * start), pcm.end());
    // A piece that never comes near zero there (a held low note) dips to it over a millisecond at
    // each end instead: a short dip at the join, but no click when it starts from silence.
    if (quietest > QuietJoin) {
        const size_t fade = std::min<size_t>(SampleRate / 1000, n / 2);
        for (size_t i = 0; i < fade; ++i) {
            const double g = 0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / static_cast<double>(fade));
            for (size_t c = 0; c < 2; ++c) {
                pcm[2 * i + c] = ToSample(pcm[2 * i + c] * g);
                pcm[2 * (n - 1 - i) + c] = ToSample(pcm[2 * (n - 1 - i) + c] * g);
            }
        }
    }
    return pcm;
}

namespace {

// RIFF fields are little-endian whatever the host is.
void PutLe(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool WriteWave(const std::filesystem::path& path, const std::vector<int16_t>& samples, int rate,
               std::string* error, int channels) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string bytes;
    bytes.reserve(44 + dataBytes);
    bytes += "RIFF";
    PutLe(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLe(bytes, 16, 4);
    PutLe(bytes, 1, 2);  // PCM
    PutLe(bytes, static_cast<uint32_t>(channels), 2);
    PutLe(bytes, static_cast<uint32_t>(rate), 4);
    PutLe(bytes, static_cast<uint32_t>(rate * 2 * channels), 4);
    PutLe(bytes, static_cast<uint32_t>(2 * channels), 2);
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
