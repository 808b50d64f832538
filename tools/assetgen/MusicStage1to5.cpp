// Stages 1 to 5: from a bright, heroic major through mixolydian and lydian colours to the first
// minor keys. Each piece is built from an intro, a verse, the verse varied and a bridge, in a form of
// its own; the last bar of each form leads back to its first when the piece loops.
#include "tools/assetgen/Instruments.h"
#include "tools/assetgen/MusicScores.h"
#include "tools/assetgen/ScoreTools.h"

namespace veltrano::assetgen {

// D major, 132: the opening fanfare, short and bright. A rising question-and-answer theme, a bridge
// that turns to the relative minor, and the theme varied with its second voice (26 bars).
Song Stage1Song() {
    const std::string intro = "G A ";
    const std::string verse = "D A Bm G D A G,A D ";
    const std::string bridge = "Bm G Em A Bm G E7 A7 ";

    const std::string leadIntro = "r1 / o4 a8 r8 a8 b8 > c+4 e4 / ";
    const std::string verse1 =
        "o5 d4. e8 f+4 a4 / g4 f+8 e8 e2 / f+4. e8 d4 < b4 > / e4 d8 < b8 > d2 /"
        " d4. e8 f+4 a4 / b4. a8 a2 / g8 f+8 g8 a8 b4 > c+4 < / > d2 < a4 f+4 / ";
    const std::string verse2 =
        "o5 a4. f+8 a4 > d4 < / > c+4. < b8 a2 / b4. a8 f+4 d4 / g8 a8 b8 a8 g4 b4 /"
        " a4 f+8 a8 > d4 e4 / e4 c+8 d8 e4 < a4 / b4 > d4 c+4 e4 / d2. r4 / ";
    const std::string bridgeTune =
        "o5 f+2 d4 f+4 / g2. b4 / b4 a4 g4 e4 / a2 e2 /"
        " f+4 d4 f+4 b4 / > d2 < b2 / g+4 b4 > d4 e4 < / a2 > c+4 e4 / ";
    const std::vector<Section> form = {
        {intro, leadIntro}, {verse, verse1}, {bridge, bridgeTune}, {verse, verse2, 0, true}};
    const int bars = FormBars(form);

    Song song{};
    song.instruments = {PulseLead(0.25, 0.7), PulsePluck(0.125, 0.35),     TriangleBass(1.0),
                        DrumKit(0.75),        Pad(VoiceKind::Pulse, 0.18), PulseLead(0.5, 0.5)};
    song.channels = {
        "t132 @0 v13 l8 " + EachSection(form, [](const Section& s) { return s.tune; }),
        "@1 v10 " + EachSection(form, [](const Section& s) { return Arpeggio(s.chart, 4, true, 4); }),
        "@2 v15 q6 " + EachSection(form,
                                   [&](const Section& s) {
                                       return BassLine(
                                           s.chart,
                                           s.chart == bridge ? BassStyle::Syncopated : BassStyle::Octaves, 2);
                                   }),
        "@3 v14 " +
            DrumBars("c8 e8 d8 e8 c8 c8 d8 e8", "c8 e8 d8 c8 d16 d16 o3 a8 g8 g16 g16 o4", bars, 2, 8),
        "@3 v7 " + DrumBars("e8 e8 e8 f8 e8 e8 e8 f8", "b8 e8 e8 f8 e8 e8 e8 f8", bars, 3, 8),
        "@4 v10 q8 " + EachSection(form, [](const Section& s) { return ChordVoice(s.chart, 0, 4); }),
        "@4 v10 q8 " + EachSection(form, [](const Section& s) { return ChordVoice(s.chart, 1, 4); }),
        "@5 v10 q7 " + EachSection(form,
                                   [](const Section& s) {
                                       return s.harmony ? ScaleShift(s.tune, "D major", 2)
                                                        : RestBars(ChartBars(s.chart));
                                   }),
    };
    song.pans = {0, -0.68, 0, 0, 0.52, -0.85, 0.85, 0.45};
    return song;
}

// A mixolydian, 136: an open-sky cruise, in the full form: intro, verse, varied verse, bridge, varied
// verse with its second voice (34 bars). A syncopated call answered a step lower
// over the flat seventh, sung by an FM brass voice.
Song Stage2Song() {
    const std::string intro = "A G,D ";
    const std::string verse = "A G D A F#m D E E7 ";
    const std::string bridge = "D Bm A F#m D E C#m E ";
    const std::string chart = intro + verse + verse + bridge + verse;
    const int bars = ChartBars(chart);

    const std::string leadIntro = "r1 / r2 o4 a8 b8 > c+8 d8 / ";
    const std::string verse1 =
        "o5 e8 e8 r8 a8 r8 g8 e4 / d8 d8 r8 g8 r8 f+8 d4 / f+4. e8 d4 f+4 / e2. r4 /"
        " c+8 c+8 r8 f+8 r8 e8 c+4 / d4 f+4 a4 > d4 < / b4. a8 g+4 e4 / d4 c+4 < b4 g+4 > / ";
    const std::string verse2 =
        "o5 e8 e8 r8 a8 r8 g8 e4 / d8 d8 r8 g8 r8 f+8 d4 / f+8 g8 a4 > d4 < a4 / > c+2. < r4 /"
        " a8 a8 r8 > c+8 r8 < b8 a4 / f+4 a4 > d4 f+4 < / > e4. d8 < b4 g+4 / e4 g+4 b4 > d4 < / ";
    const std::string bridgeTune =
        "o5 a2 f+4 a4 / b2. a4 / a4 e4 c+4 e4 / f+2. r4 /"
        " f+4 a4 > d4 c+4 < / b2 g+2 / g+4 e4 c+4 g+4 / b4 g+4 e4 d4 / ";

    Instrument brass = FmVoice(1.0, 2.2, 0.0, 0.75);
    brass.attack = 0.02;
    brass.vibratoDepth = 0.2;
    Song song{};
    song.instruments = {brass, PulsePluck(0.5, 0.3), TriangleBass(1.0), DrumKit(0.75), PulseLead(0.125, 0.5)};
    song.channels = {
        "t136 @0 v13 l8 " + leadIntro + verse1 + verse2 + bridgeTune + verse2,
        "@1 v10 " + Arpeggio(chart, 4, false, 2),
        "@2 v15 q5 " + BassLine(intro + verse + verse, BassStyle::Quarters, 2) +
            BassLine(bridge, BassStyle::Eighths, 2) + BassLine(verse, BassStyle::Quarters, 2),
        "@3 v14 " +
            DrumBars("c8 e16 e16 d8 e8 c16 c16 e8 d8 e8", "c8 d8 d8 d16 d16 o4 a8 a8 g16 g16 d8", bars, 2, 8),
        "@3 v6 " + DrumBars("[e16]16", "b16 [e16]15", bars, 3, 8),
        // A high pulse answers the brass an octave up in the bridge only.
        "@4 v8 " + RestBars(18) + "k12 " + bridgeTune + "k0 " + RestBars(8),
        "@0 v9 q7 " + RestBars(26) + ScaleShift(verse2, "A mixolydian", 2),
    };
    song.echoBeats = 0.5;
    song.pans = {0, -0.6, 0, 0, 0.52, 0.75, -0.45};
    return song;
}

// F major with a lydian second, 140: flowing over water. FM bells ripple under a soft pulse song that
// starts at once, without an intro: verse, varied verse, bridge, varied verse (32 bars).
Song Stage3Song() {
    const std::string verse = "F G Am F Dm G Bb C ";
    const std::string bridge = "Dm Am Bb F Gm Dm Bb C ";
    const std::string chart = verse + verse + bridge + verse;
    const int bars = ChartBars(chart);

    const std::string verse1 =
        "o5 c4 f8 g8 a2 / b4 a8 g8 d2 / e4 a8 b8 > c4 < b4 / a2. r4 /"
        " d4 f8 a8 > d4 c4 < / b4 g8 a8 b4 > d4 < / > d4 c8 < b-8 f4 d4 / e2 g2 / ";
    const std::string verse2 =
        "o5 > c4 < a8 > c8 f2 < / > d4 e8 d8 < b2 / a4 g8 a8 > c4 e4 < / a2 f4 c4 /"
        " d4 f4 a4 > d4 < / > d4 < b4 g4 d4 / f4 b-4 > c4 d4 < / > c2. < r4 / ";
    const std::string bridgeTune =
        "o5 a2. f4 / e2. c4 / d4 f4 b-4 a4 / a2 f2 /"
        " g2. b-4 / a2 f4 d4 / f4 b-4 > d4 < b-4 / > c4 < g4 e4 c4 / ";

    Instrument song1 = PulseLead(0.5, 0.6);
    song1.lowPassHz = 3500;
    song1.vibratoHz = 4.5;
    Instrument bell = FmVoice(3.5, 2.5, 0.15, 0.4);
    bell.release = 0.3;
    Song song{};
    song.instruments = {song1, bell, TriangleBass(1.0), DrumKit(0.65), Pad(VoiceKind::Saw, 0.16)};
    song.channels = {
        "t140 @0 v13 l8 " + verse1 + verse2 + bridgeTune + verse2,
        "@1 v11 " + Arpeggio(chart, 5, true, 3),
        "@2 v15 q7 " + BassLine(chart, BassStyle::Syncopated, 2),
        "@3 v13 " + DrumBars("c4 e8 e8 d4 e8 c8", "c4 e8 e8 d8 d16 d16 o4 a16 a16 g16 g16", bars, 2, 8),
        "@3 v6 " + DrumBars("e8 e8 e8 e8 e8 e8 e8 e8", "b8 e8 e8 e8 e8 e8 e8 e8", bars, 3, 8),
        "@4 v10 q8 " + ChordVoice(chart, 0, 3),
        "@4 v10 q8 " + ChordVoice(chart, 2, 3),
    };
    song.echoBeats = 1.0;
    song.echoFeedback = 0.45;
    song.echoLevel = 0.4;
    song.pans = {0, -0.68, 0, 0, 0.52, -0.85, 0.85};
    return song;
}

// E dorian, 144: the fortress run. An eighth-note riff on a doubled saw over a hard rock beat, then
// the bridge climbing to a dominant B7 that pulls back into the riff, twice: riff, bridge, varied riff
// with its second voice, bridge (32 bars).
Song Stage4Song() {
    const std::string verse = "Em A Em A C D Em D ";
    const std::string bridge = "C D Bm Em C D B7 B7 ";
    const std::string chart = verse + bridge + verse + bridge;
    const int bars = ChartBars(chart);

    const std::string riffStart =
        "o5 b4 e8 g8 a8 b8 r8 e8 / c+4 < a8 > c+8 e8 d8 c+8 < a8 > / b4 e8 g8 a8 b8 r8 > e8 < /"
        " > d4 c+8 < b8 a2 / ";
    const std::string verse1 =
        riffStart + "g4 e8 g8 c4 e4 / f+4 d8 f+8 a4 > d4 < / b4 a8 g8 f+4 g4 / a2 f+4 d4 / ";
    const std::string verse2 =
        riffStart + "> c4 < b8 a8 g4 e4 / f+4 a8 > d8 f+4 e4 < / > e2 < b4 g4 / a4 b4 > c+4 d4 < / ";
    const std::string bridgeTune =
        "o5 e4. g8 e4 c4 / f+4. a8 f+4 d4 / d4 f+4 b4 > d4 < / > e2. < r4 /"
        " g4 > c4 < g4 e4 / a4 > d4 < a4 f+4 / d+4 f+4 a4 b4 / > d+2 < b2 / ";

    Song song{};
    song.instruments = {SawVoice(1.3, 4500, 8), PulsePluck(0.25, 0.3), TriangleBass(1.0), DrumKit(0.8),
                        SawVoice(0.3, 1200, 0)};
    song.instruments[4].vibratoDepth = 0;
    song.channels = {
        "t144 @0 v13 l8 " + verse1 + bridgeTune + verse2 + bridgeTune,
        "@1 v9 " + Arpeggio(chart, 4, false, 4),
        "@2 v15 q6 " + BassLine(chart, BassStyle::Octaves, 2),
        "@3 v14 " + DrumBars("c8 c8 d8 c8 r8 c8 d8 r8", "c8 c8 d16 d16 d16 d16 o4 a8 a8 g8 g8", bars, 2, 8),
        "@3 v7 " + DrumBars("e8 e8 e8 e8 e8 e8 f8 e8", "b8 e8 e8 e8 e8 e8 f8 e8", bars, 3, 8),
        // Power chords chug under the riff.
        "@4 v10 q4 " + BassLine(chart, BassStyle::Eighths, 3),
        "@0 v10 q7 " + RestBars(16) + ScaleShift(verse2, "E dorian", 2) + RestBars(8),
    };
    song.echoBeats = 0.75;
    song.echoLevel = 0.2;
    song.pans = {0, 0.68, 0, 0, -0.45, -0.75, 0.45};
    return song;
}

// G natural minor, 148: into the caves. A reedy FM voice, glittering sixteenth arpeggios, and a D
// major chord at each phrase end that leans back to the tonic. Intro, verse, bridge, varied verse
// with its second voice, bridge (34 bars).
Song Stage5Song() {
    const std::string intro = "Gm Gm ";
    const std::string verse = "Gm Eb F Gm Cm Eb F D ";
    const std::string bridge = "Eb Bb Cm Gm Eb F D D ";
    const std::string chart = intro + verse + bridge + verse + bridge;
    const int bars = ChartBars(chart);

    const std::string verse1 =
        "o5 d4 g8 a8 b-4 a8 g8 / g4 f8 e-8 < b-2 > / c4 d8 e-8 f4 e-8 d8 / d2. r4 /"
        " e-4 g8 > c8 < b-4 a8 g8 / b-4 a8 g8 f4 g4 / a4 b-8 > c8 < a4 f4 / f+2 a2 / ";
    const std::string verse2 =
        "o5 > d4 < b-8 > d8 g4 f8 e-8 < / > e-4 d8 c8 < b-4 g4 / a4 b-8 > c8 d4 c8 < a8 / b-2 g2 /"
        " g4 > c8 d8 e-4 d8 c8 < / b-4 > c8 < b-8 g4 e-4 / f4 g8 a8 > c4 < a4 / > d2 < a4 f+4 / ";
    const std::string bridgeTune =
        "o5 g2 b-4 g4 / f2. d4 / e-4 g4 > c4 < b-4 / b-2 g2 /"
        " g4 b-4 > e-4 d4 < / > c2 < a4 f4 / f+4 a4 > c4 < a4 / f+2 d2 / ";

    Instrument reed = FmVoice(2.0, 1.6, 0.0, 0.7);
    reed.attack = 0.03;
    reed.vibratoDepth = 0.3;
    Song song{};
    song.instruments = {reed, PulsePluck(0.125, 0.28), TriangleBass(1.0), DrumKit(0.7),
                        Pad(VoiceKind::Pulse, 0.15)};
    song.channels = {
        "t148 @0 v13 l8 r1 r1 / " + verse1 + bridgeTune + verse2 + bridgeTune,
        "@1 v10 " + Arpeggio(chart, 5, false, 4),
        "@2 v15 q7 " + BassLine(chart, BassStyle::Quarters, 2),
        "@3 v13 " + DrumBars("c8 e8 d8 c8 r8 c8 d8 e8", "c8 o3 g8 g8 o4 a8 a8 d8 d16 d16 d8", bars, 2, 8),
        "@3 v6 " +
            DrumBars("e8 e16 e16 e8 e8 e8 e16 e16 e8 f8", "b8 e16 e16 e8 e8 e8 e16 e16 e8 f8", bars, 3, 8),
        "@4 v9 q8 " + ChordVoice(chart, 0, 4),
        "@4 v9 q8 " + ChordVoice(chart, 1, 4),
        "@0 v9 q7 " + RestBars(18) + ScaleShift(verse2, "G minor", 2) + RestBars(8),
    };
    song.echoBeats = 0.75;
    song.echoFeedback = 0.4;
    song.pans = {0, -0.68, 0, 0, 0.52, -0.85, 0.85, 0.45};
    return song;
}

}  // namespace veltrano::assetgen
