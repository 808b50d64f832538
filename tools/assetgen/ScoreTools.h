// Helpers that write the repetitive parts of a score (bass lines, arpeggios, held chords, drum loops)
// in the note language from a chord chart, so the scores spell out only melodies and grooves.
//
// A chord chart is a list of bars separated by spaces; a bar holds one chord or several joined by ','
// (sharing the bar equally). A chord is a root (C to B, then '#' or 'b') and a quality: "" major, "m",
// "7", "m7", "maj7", "dim", "dim7", "aug", "sus4", "5" (bare fifth). Example: "Dm Bb C,A7".
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace veltrano::assetgen {

enum class BassStyle {
    Whole,       // the root held through each chord
    Quarters,    // root, fifth, octave, fifth
    Eighths,     // driving root eighths
    Octaves,     // root and its octave, alternating eighths
    Gallop,      // eighth and two sixteenths
    Syncopated,  // dotted quarter, eighth, quarter, quarter pattern
};

// Bass line for the chart in octave `octave` (the root's octave).
std::string BassLine(const std::string& chart, BassStyle style, int octave);

// Sixteenth-note arpeggio over the chord tones, going up (`upDown` false) or up and down.
std::string Arpeggio(const std::string& chart, int octave, bool upDown, int notesPerBeat);

// One voice of the held chords: `voice` 0 takes the lowest tone, 1 the next, 2 the third...
std::string ChordVoice(const std::string& chart, int voice, int octave);

// Bars of a drum part: `groove` (one bar in the note language) repeated, with `fill` (one bar) in
// bar `firstFill` (counting from 1) and every `fillEvery` bars after it; 0 for no fills.
std::string DrumBars(const std::string& groove, const std::string& fill, int bars, int firstFill,
                     int fillEvery);

// The melody moved `steps` notes down the scale of `key` (negative: up), keeping its rhythm: the
// second voice of a twin lead. A key is a root and a mode: "D major", "G minor", "A harmonic",
// "E dorian", "A mixolydian", "F# phrygian", "F lydian". A note outside the scale keeps its distance
// from the scale note below it. The melody must set its own octave; its gate is not kept.
std::string ScaleShift(const std::string& melody, const std::string& key, int steps);

// One section of a piece's form: its chords, the melody over them, the key it is played in.
struct Section {
    std::string chart;
    std::string tune;
    int transpose = 0;     // semitones: a verse lifted into a new key
    bool harmony = false;  // the melody's second voice joins in
};

// A part of the piece written section by section, each in its own key: `part(section)` for every
// section of the form, in order. Not for drums, whose pitches choose the drum.
std::string EachSection(const std::vector<Section>& form,
                        const std::function<std::string(const Section&)>& part);

// The bars of a whole form.
int FormBars(const std::vector<Section>& form);

// Whole bars of rest.
std::string RestBars(int bars);

// The number of bars in a chart.
int ChartBars(const std::string& chart);

}  // namespace veltrano::assetgen
