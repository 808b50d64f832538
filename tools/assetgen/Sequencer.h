// Our small music sequencer: scores written in an MML-like note language, one string per channel,
// played by a table of instruments and rendered to one looping buffer.
//
// The note language, read left to right (lower case, spaces ignored):
//   c d e f g a b   a note; then '+' or '#' sharpens, '-' flattens; then an optional length and dots
//   r               a rest, with length and dots like a note
//   &               ties the next note (of the same pitch) onto the previous one: "c2&c8"
//   lN              default length (1 whole, 4 quarter, 8 eighth, 12 eighth triplet, 16, 32 ...)
//   oN  < >         octave (o4 holds middle c), one octave down, one up
//   tN              tempo in quarter notes per minute (one tempo per piece)
//   vN              volume 0..15
//   @N              instrument number in the piece's table
//   qN              gate: a note sounds for N eighths of its length (8 is legato)
//   kN  k-N         transpose by N semitones
//   /               a bar line (4/4): an error unless the notes before it fill whole bars
//   [ ... ]N        repeat N times; a '|' inside skips the rest of the loop on its last pass
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano::assetgen {

inline constexpr int TicksPerWhole = 384;
inline constexpr int TicksPerBeat = TicksPerWhole / 4;

enum class VoiceKind { Pulse, Triangle, Saw, Fm, Drums };

struct Instrument {
    VoiceKind kind = VoiceKind::Pulse;
    double volume = 1.0;
    double attack = 0.005, decay = 0.1, sustain = 0.7, release = 0.05;  // seconds, level 0..1
    double duty = 0.5;                                                  // pulse width ...
    double pwmDepth = 0.0, pwmHz = 0.0;                                 // ... and its slow sweep
    double vibratoDepth = 0.0;                                          // semitones
    double vibratoHz = 5.5, vibratoDelay = 0.2;                         // seconds before the vibrato sets in
    double detuneCents = 0.0;             // a second oscillator this far sharp, for width
    double fmRatio = 1.0, fmIndex = 0.0;  // 2-operator FM: modulator ratio and depth ...
    double fmIndexDecay = 0.0;            // ... which falls to a third over this time (0: steady)
    double lowPassHz = 0.0;               // 0: open
    double echoSend = 0.0;                // share of the voice sent into the piece's echo
};

struct Song {
    const char* name = "";  // in messages; a piece's is its file's (MakeSong gives it)
    std::vector<Instrument> instruments;
    std::vector<std::string> channels;
    // Where each channel stands in the stereo field, -1 left to 1 right; a channel without a place is
    // in the middle. Places are levels only, never delays or inverted phase, so the mono sum of the
    // two sides loses nothing.
    std::vector<double> pans;
    double echoBeats = 0.75;  // delay of the echo in beats
    double echoFeedback = 0.35;
    double echoLevel = 0.3;
};

struct NoteEvent {
    int64_t startTick;
    int64_t gateTicks;  // how long the key is held
    int midiNote;       // 60 is middle c
    double velocity;    // 0..1
    int instrument;
};

struct ParsedChannel {
    std::vector<NoteEvent> notes;
    int64_t totalTicks = 0;
    double tempo = 0.0;  // 0 when the channel sets none
};

bool ParseMml(const std::string& mml, ParsedChannel* out, std::string* error);

struct StereoLoop {
    std::vector<float> left, right;
};

// Renders the whole piece at SampleRate in stereo, unnormalised. The buffer is one loop: sound that
// rings past the end (release tails, echoes) is wrapped around onto the start, so playing it in a
// loop is seamless. Every channel must last exactly as long as the others.
bool RenderSong(const Song& song, StereoLoop* loop, double* tempo, std::string* error);

// One note of an instrument: the key held for gateSamples, then released. Drums pick the drum from
// the pitch class (c kick, d snare, e closed hat, f open hat, g low tom, a high tom, b crash).
// Given `detuned`, a detuned instrument's second oscillator goes there instead of into the note, so
// the two can stand on either side of the voice's place.
std::vector<float> RenderNote(const Instrument& instrument, int midiNote, double velocity, size_t gateSamples,
                              uint32_t seed, std::vector<float>* detuned = nullptr);

}  // namespace veltrano::assetgen
