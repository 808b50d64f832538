#include "tools/assetgen/ScoreTools.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "tools/assetgen/Sequencer.h"

namespace veltrano::assetgen {

namespace {

struct Chord {
    int root;                // pitch class
    std::vector<int> tones;  // semitones above the root
};

// A chord the helpers cannot read becomes '!' in the score, which the parser rejects loudly.
bool ReadChord(const std::string& text, Chord* chord) {
    static const int classes[7] = {9, 11, 0, 2, 4, 5, 7};
    if (text.empty() || text[0] < 'A' || text[0] > 'G') return false;
    int root = classes[text[0] - 'A'];
    size_t i = 1;
    if (i < text.size() && text[i] == '#')
        root += 1, ++i;
    else if (i < text.size() && text[i] == 'b')
        root -= 1, ++i;
    const std::string quality = text.substr(i);
    static const struct {
        const char* name;
        std::vector<int> tones;
    } qualities[] = {{"", {0, 4, 7}},        {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},
                     {"m7", {0, 3, 7, 10}},  {"maj7", {0, 4, 7, 11}}, {"dim", {0, 3, 6}},
                     {"dim7", {0, 3, 6, 9}}, {"aug", {0, 4, 8}},      {"sus4", {0, 5, 7}},
                     {"5", {0, 7}},          {"m6", {0, 3, 7, 9}},    {"add9", {0, 4, 7, 14}}};
    for (const auto& q : qualities) {
        if (quality == q.name) {
            *chord = {(root + 12) % 12, q.tones};
            return true;
        }
    }
    return false;
}

// Each bar of the chart as its chords.
std::vector<std::vector<std::string>> Bars(const std::string& chart) {
    std::vector<std::vector<std::string>> bars;
    std::istringstream words(chart);
    std::string word;
    while (words >> word) {
        std::vector<std::string> chords;
        size_t from = 0;
        for (size_t comma; (comma = word.find(',', from)) != std::string::npos; from = comma + 1)
            chords.push_back(word.substr(from, comma - from));
        chords.push_back(word.substr(from));
        bars.push_back(chords);
    }
    return bars;
}

const char* const NoteNames[12] = {"c", "c+", "d", "d+", "e", "f", "f+", "g", "g+", "a", "a+", "b"};

std::string Note(int midi, const std::string& length) {
    std::string out = "o";
    out += std::to_string(midi / 12 - 1);
    out += NoteNames[midi % 12];
    out += length;
    out += ' ';
    return out;
}

// Calls `play(chord, eighths, bar chords)` for every chord of the chart; the text it returns is
// appended. Only 1, 2 or 4 chords fit a bar evenly.
template <typename Play>
std::string ForEachChord(const std::string& chart, Play play) {
    std::string out;
    for (const auto& bar : Bars(chart)) {
        const int count = static_cast<int>(bar.size());
        for (const std::string& text : bar) {
            Chord chord;
            if ((count != 1 && count != 2 && count != 4) || !ReadChord(text, &chord)) return out + "!";
            out += play(chord, 8 / count, count);
        }
    }
    return out;
}

// A span of ticks written as tied standard lengths: "o4c4&c16" for a note, "r4 r16" for a rest.
std::string TiedLength(const std::string& octave, const std::string& pitch, int64_t ticks) {
    static const struct {
        int ticks;
        const char* text;
    } lengths[] = {{384, "1"}, {192, "2"}, {96, "4"},  {48, "8"},
                   {32, "12"}, {24, "16"}, {16, "24"}, {12, "32"}};
    std::string out;
    for (const auto& l : lengths) {
        while (ticks >= l.ticks) {
            if (!out.empty()) out += pitch == "r" ? " " : "&";
            if (out.empty()) out += octave;
            out += pitch;
            out += l.text;
            ticks -= l.ticks;
        }
    }
    return ticks == 0 ? out + " " : "!";
}

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

std::string EachSection(const std::vector<Section>& form,
                        const std::function<std::string(const Section&)>& part) {
    std::string out;
    for (const Section& section : form) {
        out += 'k';
        out += std::to_string(section.transpose);
        out += ' ';
        out += part(section);
        out += "k0 ";
    }
    return out;
}

int FormBars(const std::vector<Section>& form) {
    int bars = 0;
    for (const Section& section : form) bars += ChartBars(section.chart);
    return bars;
}

std::string RestBars(int bars) {
    std::string out;
    for (int b = 0; b < bars; ++b) out += "r1 / ";
    return out;
}

int ChartBars(const std::string& chart) {
    return static_cast<int>(Bars(chart).size());
}

std::string BassLine(const std::string& chart, BassStyle style, int octave) {
    return ForEachChord(chart, [&](const Chord& chord, int eighths, int perBar) {
        const int root = 12 * (octave + 1) + chord.root;
        const int fifth = root + (chord.tones.size() > 2 ? chord.tones[2] : 7);
        std::string out;
        switch (style) {
            case BassStyle::Whole:
                return Note(root, std::to_string(perBar));
            case BassStyle::Quarters: {
                const int walk[4] = {root, fifth, root + 12, fifth};
                for (int q = 0; q < eighths / 2; ++q) out += Note(walk[q], "4");
                return out;
            }
            case BassStyle::Eighths:
                for (int e = 0; e < eighths; ++e) out += Note(root, "8");
                return out;
            case BassStyle::Octaves:
                for (int e = 0; e < eighths; ++e) out += Note(e % 2 ? root + 12 : root, "8");
                return out;
            case BassStyle::Gallop:
                for (int q = 0; q < eighths / 2; ++q)
                    out += Note(root, "8") + Note(root, "16") + Note(root, "16");
                return out;
            case BassStyle::Syncopated:
                if (eighths == 8)
                    return Note(root, "4.") + Note(root, "8") + Note(fifth, "4") + Note(root + 12, "4");
                if (eighths == 4) return Note(root, "4.") + Note(root, "8");
                return Note(root, "4");
        }
        return std::string("!");
    });
}

std::string Arpeggio(const std::string& chart, int octave, bool upDown, int notesPerBeat) {
    const std::string length = std::to_string(notesPerBeat * 4);
    return ForEachChord(chart, [&](const Chord& chord, int eighths, int) {
        std::vector<int> path;
        const int base = 12 * (octave + 1) + chord.root;
        for (int o = 0; o < 2; ++o)
            for (int t : chord.tones) path.push_back(base + t + 12 * o);
        if (upDown)
            for (size_t i = path.size() - 2; i > 0; --i) path.push_back(path[i]);
        std::string out;
        const int count = eighths * notesPerBeat / 2;
        for (int n = 0; n < count; ++n) out += Note(path[n % path.size()], length);
        return out;
    });
}

std::string ChordVoice(const std::string& chart, int voice, int octave) {
    return ForEachChord(chart, [&](const Chord& chord, int, int perBar) {
        // Each chord is voiced inside one fixed octave window, so the voices move by small steps.
        const int low = 12 * (octave + 1) + 5;
        std::vector<int> pitches;
        for (int t : chord.tones) {
            int p = 12 * (octave + 1) + (chord.root + t) % 12;
            while (p < low) p += 12;
            while (p >= low + 12) p -= 12;
            pitches.push_back(p);
        }
        std::sort(pitches.begin(), pitches.end());
        const int n = static_cast<int>(pitches.size());
        return Note(pitches[voice % n] + 12 * (voice / n), std::to_string(perBar));
    });
}

std::string DrumBars(const std::string& groove, const std::string& fill, int bars, int firstFill,
                     int fillEvery) {
    std::string out;
    for (int b = 1; b <= bars; ++b) {
        const bool filled = firstFill > 0 && b >= firstFill &&
                            (fillEvery > 0 ? (b - firstFill) % fillEvery == 0 : b == firstFill);
        out += filled ? fill : groove;
        out += " / ";
    }
    return out;
}

std::string ScaleShift(const std::string& melody, const std::string& key, int steps) {
    static const struct {
        const char* name;
        int offsets[7];
    } modes[] = {{"major", {0, 2, 4, 5, 7, 9, 11}},      {"minor", {0, 2, 3, 5, 7, 8, 10}},
                 {"harmonic", {0, 2, 3, 5, 7, 8, 11}},   {"dorian", {0, 2, 3, 5, 7, 9, 10}},
                 {"mixolydian", {0, 2, 4, 5, 7, 9, 10}}, {"phrygian", {0, 1, 3, 5, 7, 8, 10}},
                 {"lydian", {0, 2, 4, 6, 7, 9, 11}}};
    const size_t space = key.find(' ');
    Chord root;
    if (space == std::string::npos || !ReadChord(key.substr(0, space), &root)) return "!";
    const int* offsets = nullptr;
    for (const auto& m : modes)
        if (key.substr(space + 1) == m.name) offsets = m.offsets;
    ParsedChannel parsed;
    if (offsets == nullptr || !ParseMml("q8 " + melody, &parsed, nullptr)) return "!";

    std::string out;
    int64_t at = 0;
    for (const NoteEvent& note : parsed.notes) {
        if (note.startTick > at) out += TiedLength("", "r", note.startTick - at);
        const int relative = note.midiNote - root.root;
        const int octave = FloorDiv(relative, 12), within = relative - 12 * octave;
        int degree = 6;
        while (offsets[degree] > within) --degree;
        const int shifted = degree - steps;
        const int midi = root.root + 12 * (octave + FloorDiv(shifted, 7)) +
                         offsets[shifted - 7 * FloorDiv(shifted, 7)] + (within - offsets[degree]);
        std::string prefix = "o";
        prefix += std::to_string(midi / 12 - 1);
        out += TiedLength(prefix, NoteNames[midi % 12], note.gateTicks);
        at = note.startTick + note.gateTicks;
    }
    if (parsed.totalTicks > at) out += TiedLength("", "r", parsed.totalTicks - at);
    return out;
}

}  // namespace veltrano::assetgen
