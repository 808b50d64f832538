// Plays a parsed piece into one buffer that loops whole.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/Sequencer.h"
#include "tools/assetgen/SoundSynth.h"

namespace veltrano::assetgen {

namespace {

// Adds a note placed in the field into both sides of the loop, and its echo send into both sides of
// the send, in one pass; whatever rings past the end is wrapped around onto the start.
void AddPlaced(std::vector<double>* mix, std::vector<double>* send, const std::vector<float>& note,
               size_t start, const double gain[2], double echoSend) {
    const size_t n = mix[0].size();
    if (note.empty()) return;
    size_t at = start % n;
    const double sendLeft = gain[0] * echoSend, sendRight = gain[1] * echoSend;
    for (float s : note) {
        mix[0][at] += s * gain[0];
        mix[1][at] += s * gain[1];
        if (echoSend > 0) {
            send[0][at] += s * sendLeft;
            send[1][at] += s * sendRight;
        }
        if (++at == n) at = 0;
    }
}

// A feedback delay with a darkening repeat. It runs over the loop twice and only the second pass is
// heard, so the echoes of the end are already sounding at the start, as they will when it loops.
void AddEcho(const Song& song, double samplesPerBeat, const std::vector<double>& send,
             std::vector<double>& mix) {
    const size_t delay = static_cast<size_t>(std::llround(song.echoBeats * samplesPerBeat));
    if (delay == 0 || song.echoLevel <= 0) return;
    std::vector<double> line(delay, 0.0);
    OnePole damp;
    const double dampK = OnePoleCoefficient(3500.0, SampleRate);
    size_t at = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < send.size(); ++i) {
            const double delayed = line[at];
            line[at] = send[i] + damp.LowPass(delayed, dampK) * song.echoFeedback;
            if (++at == delay) at = 0;
            if (pass == 1) mix[i] += delayed * song.echoLevel;
        }
    }
}

constexpr double TargetRms = 0.4;
constexpr double DetunedSpread = 0.7;
constexpr double MostPeakDrive = 2.0;

// Gentle saturation (a rational tanh) that rounds off the rare drum peaks, so normalising the piece
// does not leave the rest of it quiet.
double SoftClip(double x) {
    x = std::fmax(-3.0, std::fmin(3.0, x));
    return x * (27.0 + x * x) / (27.0 + 9.0 * x * x);
}

// The levels of the two sides for a place in the field: equal power, the middle at 1 on each side.
void PanGains(double pan, double* left, double* right) {
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * Pi / 4.0;
    *left = std::cos(angle) * std::sqrt(2.0);
    *right = std::sin(angle) * std::sqrt(2.0);
}

// Parses every channel and checks that they agree: one tempo, one length, instruments the piece has.
bool ParseChannels(const Song& song, std::vector<ParsedChannel>* channels, double* bpm, int64_t* totalTicks,
                   std::string* error) {
    channels->assign(song.channels.size(), ParsedChannel{});
    *bpm = 0.0;
    for (size_t c = 0; c < channels->size(); ++c) {
        std::string problem;
        if (!ParseMml(song.channels[c], &(*channels)[c], &problem)) {
            if (error) *error = std::string(song.name) + " channel " + std::to_string(c) + ": " + problem;
            return false;
        }
        if ((*channels)[c].tempo != 0) {
            if (*bpm != 0 && *bpm != (*channels)[c].tempo) {
                if (error) *error = std::string(song.name) + ": channels disagree on the tempo";
                return false;
            }
            *bpm = (*channels)[c].tempo;
        }
    }
    *totalTicks = channels->empty() ? 0 : (*channels)[0].totalTicks;
    for (size_t c = 0; c < channels->size(); ++c) {
        if ((*channels)[c].totalTicks != *totalTicks) {
            if (error)
                *error = std::string(song.name) + " channel " + std::to_string(c) + " lasts " +
                         std::to_string((*channels)[c].totalTicks) + " ticks, channel 0 " +
                         std::to_string(*totalTicks);
            return false;
        }
        for (const NoteEvent& note : (*channels)[c].notes) {
            if (note.instrument < 0 || note.instrument >= static_cast<int>(song.instruments.size())) {
                if (error)
                    *error = std::string(song.name) + ": instrument " + std::to_string(note.instrument);
                return false;
            }
        }
    }
    if (*bpm == 0 || *totalTicks == 0) {
        if (error) *error = std::string(song.name) + ": no tempo or no notes";
        return false;
    }
    return true;
}

// The sample a tick falls on.
size_t TickSample(int64_t tick, double samplesPerTick) {
    return static_cast<size_t>(std::llround(tick * samplesPerTick));
}

// Plays every note of every channel into the mix and the echo send, each at its channel's place.
void PlaceNotes(const Song& song, const std::vector<ParsedChannel>& channels, double samplesPerTick,
                std::vector<double> (&mix)[2], std::vector<double> (&send)[2]) {
    uint32_t seed = 1;
    std::vector<float> detuned;
    for (size_t c = 0; c < channels.size(); ++c) {
        const double pan = c < song.pans.size() ? song.pans[c] : 0.0;
        for (const NoteEvent& note : channels[c].notes) {
            const Instrument& in = song.instruments[note.instrument];
            const size_t start = TickSample(note.startTick, samplesPerTick);
            const size_t gate = TickSample(note.startTick + note.gateTicks, samplesPerTick) - start;
            detuned.clear();
            const std::vector<float> sound =
                RenderNote(in, note.midiNote, note.velocity, gate, seed++, &detuned);
            // A detuned voice's two oscillators stand either side of its place: a wide voice whose
            // sides differ in pitch by a few cents, so their sum beats as it did in mono and never
            // cancels.
            const double spread = detuned.empty() ? 0.0 : DetunedSpread;
            const struct {
                const std::vector<float>& part;
                double pan;
            } parts[2] = {{sound, pan - spread}, {detuned, pan + spread}};
            for (const auto& part : parts) {
                double gain[2];
                PanGains(part.pan, &gain[0], &gain[1]);
                AddPlaced(mix, send, part.part, start, gain, in.echoSend);
            }
        }
    }
}

// Every piece is driven to about the same loudness; the soft clip then rounds off the few peaks that
// this pushes past full scale, and the caller normalises what remains. False when the mix is not
// finite.
bool DriveIntoLoop(const Song& song, const std::vector<double> (&mix)[2], StereoLoop* loop,
                   std::string* error) {
    const size_t length = mix[0].size();
    double loudest = 0.0, power = 0.0;
    for (const std::vector<double>& side : mix) {
        for (double s : side) {
            if (!std::isfinite(s)) {
                // An instrument whose settings blow up must stop the build, not become a burst of noise.
                if (error) *error = std::string(song.name) + ": the mix is not finite";
                return false;
            }
            loudest = std::fmax(loudest, std::fabs(s));
            power += s * s;
        }
    }
    const double rms = std::sqrt(power / static_cast<double>(2 * length));
    const double drive = loudest > 0 ? std::fmin(TargetRms / rms, MostPeakDrive / loudest) : 0.0;
    std::vector<float>* out[2] = {&loop->left, &loop->right};
    for (int side = 0; side < 2; ++side) {
        out[side]->resize(length);
        for (size_t i = 0; i < length; ++i)
            (*out[side])[i] = static_cast<float>(SoftClip(mix[side][i] * drive));
    }
    return true;
}

}  // namespace

bool RenderSong(const Song& song, StereoLoop* loop, double* tempo, std::string* error) {
    std::vector<ParsedChannel> channels;
    double bpm = 0.0;
    int64_t totalTicks = 0;
    if (!ParseChannels(song, &channels, &bpm, &totalTicks, error)) return false;
    const double samplesPerBeat = SampleRate * 60.0 / bpm;
    const double samplesPerTick = samplesPerBeat / TicksPerBeat;
    const size_t length = TickSample(totalTicks, samplesPerTick);
    std::vector<double> mix[2] = {std::vector<double>(length, 0.0), std::vector<double>(length, 0.0)};
    std::vector<double> send[2] = {mix[0], mix[1]};
    PlaceNotes(song, channels, samplesPerTick, mix, send);
    // What stands on one side echoes from the other, which widens the field without a delay between
    // the sides of one voice; what stands in the middle echoes from the middle.
    for (int side = 0; side < 2; ++side) AddEcho(song, samplesPerBeat, send[side], mix[1 - side]);
    if (!DriveIntoLoop(song, mix, loop, error)) return false;
    *tempo = bpm;
    return true;
}

}  // namespace veltrano::assetgen
