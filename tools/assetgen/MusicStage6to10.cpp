// Stages 6 to 10: harmonic minor, phrygian, diminished; each lower and heavier than the last, and
// faster and busier too, up to the last stage. Each has a form of its own; the last three lift a
// verse (and stage 9 and 10 a bridge as well) into a higher key before the loop comes round.
#include "tools/assetgen/Instruments.h"
#include "tools/assetgen/MusicScores.h"
#include "tools/assetgen/ScoreTools.h"

namespace veltrano::assetgen {

// C harmonic minor, 152: inside the machine. Intro, verse, varied verse, then the bridge twice, the
// second time with the melody's second voice (34 bars). A pulse lead with a breathing width, a filtered saw
// bass pumping eighths and metallic FM sixteenths like turning gears.
Song Stage6Song() {
    const std::string intro = "Cm Cm ";
    const std::string verse = "Cm Ab Fm G Cm Ab Bb G ";
    const std::string bridge = "Ab Bb Eb Cm Fm Ab G G7 ";
    const std::string chart = intro + verse + verse + bridge + bridge;
    const int bars = ChartBars(chart);

    const std::string verse1 =
        "o5 c4 e-8 g8 > c4 < b4 / a-4 g8 f8 e-2 / f4 a-8 > c8 < a-4 f4 / g2 b2 /"
        " > c4 < g8 e-8 c4 e-4 / a-4 > c4 < a-4 f4 / b-4 > d4 < b-4 f4 / g2 > d4 < b4 / ";
    const std::string verse2 =
        "o5 > e-4 d8 c8 < b4 > c4 < / a-4 g8 f8 e-4 c4 / f4 g8 a-8 > c4 < a-4 / b2 > d2 < /"
        " > g4 f8 e-8 d4 c4 < / > c4 < a-8 b-8 > c4 e-4 < / > d4 < b-8 > c8 d4 f4 < / > d2 < b2 / ";
    const std::string bridgeTune =
        "o5 e-2 c2 / d2 f2 / g2. b-4 / g2 e-2 / a-2 f4 a-4 / > c2 e-2 < / > d2 < b2 / a-4 g4 f4 d4 / ";

    Instrument lead = PulseLead(0.5, 0.7);
    lead.pwmDepth = 0.35;
    lead.pwmHz = 0.7;
    Instrument gears = FmVoice(1.41, 3.0, 0.05, 0.3);
    gears.decay = 0.08;
    gears.sustain = 0.0;
    const Instrument bass = SawBass(0.8, 900);
    Song song{};
    song.instruments = {lead, gears, bass, DrumKit(0.75), Pad(VoiceKind::Saw, 0.15)};
    song.channels = {
        "t152 @0 v13 l8 r1 r1 / " + verse1 + verse2 + bridgeTune + bridgeTune,
        "@1 v10 " + Arpeggio(chart, 4, true, 4),
        "@2 v14 q5 " + BassLine(chart, BassStyle::Octaves, 2),
        "@3 v14 " +
            DrumBars("c8 e8 d8 c8 c8 e8 d8 e8", "c8 d16 d16 o3 g8 g8 o4 a8 a8 d16 d16 d8", bars, 2, 8),
        "@3 v7 " + DrumBars("e16 e16 f8 e16 e16 f8 e16 e16 f8 e16 e16 f8",
                            "b8 e16 e16 f8 [e16 e16 f8]2 e16 e16", bars, 3, 8),
        "@4 v9 q8 " + ChordVoice(chart, 0, 4),
        "@4 v9 q8 " + ChordVoice(chart, 1, 4),
        "@0 v9 q7 " + RestBars(26) + ScaleShift(bridgeTune, "C harmonic", 2),
    };
    song.echoBeats = 0.5;
    song.echoFeedback = 0.3;
    song.pans = {0, 0.68, 0, 0, -0.52, -0.85, 0.85, -0.45};
    return song;
}

// F# phrygian, 156: a dark passage. Intro, verse, varied verse, bridge, then the varied verse lifted
// a tone (34 bars). A sixteenth-note ostinato holds F# with its flattened second
// under the changing chords, an FM bass slaps, and a filtered saw sings; the bridge ends on F# major.
Song Stage7Song() {
    const std::string intro = "F#m G ";
    const std::string verse = "F#m G F#m G D Em G F#m ";
    const std::string bridge = "Bm G A F#m Bm G C#dim F# ";
    const std::string chart = intro + verse + verse + bridge + verse;
    const int bars = ChartBars(chart);

    const std::string verse1 =
        "o5 f+4. g8 f+4 c+4 / d4. e8 d4 < b4 > / c+4 d8 e8 f+4 a4 / g2. r4 /"
        " a4 f+8 d8 a4 > d4 < / > c+4. < b8 g4 e4 / d4 e8 f+8 g4 b4 / a2 f+2 / ";
    const std::string verse2 =
        "o5 > c+4. d8 c+4 < a4 / b4. > d8 < b4 g4 / a4 g8 f+8 e4 f+4 / g4 b4 > d4 g4 < /"
        " > f+4 e8 d8 < a4 f+4 / g4 a8 b8 > c+4 e4 < / > d4 c+8 < b8 a4 g4 / f+2. r4 / ";
    const std::string bridgeTune =
        "o5 d2 f+4 b4 / b2 g2 / e4 a4 > c+4 e4 < / > c+2 < a2 /"
        " b4 a4 f+4 d4 / g4 b4 > d4 g4 < / > e4 d4 c+4 < g4 / a+2 f+2 / ";
    const std::string ostinato =
        "o4 f+16 f+16 g16 f+16 > c+16 < f+16 g16 f+16 f+16 f+16 g16 f+16 a16 g16 f+16 e16 / ";
    std::string ostinatoVerse;
    for (int b = 0; b < 8; ++b) ostinatoVerse += ostinato;

    const Instrument slap = FmSlapBass(2.5, 0.06, 0.9);
    Song song{};
    song.instruments = {SawVoice(1.3, 2600, 6), PulsePluck(0.25, 0.3), slap, DrumKit(0.75)};
    song.channels = {
        "t156 @0 v13 l8 r1 r1 / " + verse1 + verse2 + bridgeTune + "k2 " + verse2 + "k0 ",
        "@1 v10 " + ostinato + ostinato + ostinatoVerse + ostinatoVerse + Arpeggio(bridge, 4, true, 4) +
            "k2 " + ostinatoVerse + "k0 ",
        "@2 v15 q6 " + BassLine(intro + verse + verse + bridge, BassStyle::Syncopated, 2) + "k2 " +
            BassLine(verse, BassStyle::Syncopated, 2) + "k0 ",
        "@3 v14 " + DrumBars("c4 r8 c8 d4 r8 c8", "c8 c8 o4 a8 a8 g8 g8 d16 d16 d8", bars, 2, 8),
        "@3 v6 " + DrumBars("e8 e8 e8 c+8 e8 e8 e8 f8", "b8 e8 e8 c+8 e8 e8 e8 f8", bars, 3, 8),
    };
    song.echoBeats = 0.75;
    song.echoFeedback = 0.45;
    song.pans = {0, -0.68, 0, 0, 0.52};
    return song;
}

// B harmonic minor, 160: a heavy march. Intro, verse, the bridge twice (the second time with the
// melody's second voice), varied verse (34 bars). A wide detuned saw lead, galloping bass, FM brass chords,
// and a Neapolitan C major that darkens each phrase before the F# dominant.
Song Stage8Song() {
    const std::string intro = "Bm Bm ";
    const std::string verse = "Bm G Em F# Bm C F# F# ";
    const std::string bridge = "G D Em Bm C G F# F#7 ";
    const std::string chart = intro + verse + bridge + bridge + verse;
    const int bars = ChartBars(chart);

    const std::string verse1 =
        "o4 b4 > d8 f+8 b4 a+8 b8 < / > g4 f+8 e8 d4 < b4 / > e4 g8 f+8 e4 d4 < / > c+2 < a+2 /"
        " b4 > d8 f+8 b4 > d4 << / > > c4 < b8 a8 g4 e4 < / > f+4 e8 d8 c+4 < a+4 / f+2. r4 / ";
    const std::string verse2 =
        "o4 > f+4. e8 d4 c+4 < / b4 > d4 g4 f+4 < / > e4. f+8 g4 b4 < / > a+2 f+2 < /"
        " > b4 a+8 b8 > d4 c+8 < b8 < / > g4 e8 g8 > c4 < b4 < / > a+4 f+8 e8 d4 c+4 < / > c+2 < f+2 / ";
    const std::string bridgeTune =
        "o4 > d2 < b4 g4 / a2 f+4 d4 / e4 g4 b4 > e4 < / > d2 < b2 /"
        " > e4 g4 > c4 < g4 < / > d4 g4 b4 g4 < / > f+4 e4 c+4 < a+4 / f+4 a+4 > c+4 e4 < / ";

    const Instrument bass = SawBass(0.8, 700);
    Instrument brass = FmVoice(1.0, 3.0, 0.0, 0.3);
    brass.attack = 0.04;
    brass.vibratoDepth = 0;
    Song song{};
    song.instruments = {SawVoice(1.2, 3200, 14), bass, brass, DrumKit(0.85)};
    song.instruments[0].vibratoDepth = 0.35;
    song.channels = {
        "t160 @0 v13 l8 r1 r1 / " + verse1 + bridgeTune + bridgeTune + verse2,
        "@1 v15 q6 " + BassLine(chart, BassStyle::Gallop, 1),
        "@2 v10 q3 " + ChordVoice(chart, 0, 4),
        "@2 v10 q3 " + ChordVoice(chart, 1, 4),
        "@2 v10 q3 " + ChordVoice(chart, 2, 4),
        "@3 v14 " + DrumBars("c8 c16 c16 d8 c8 c8 c16 c16 d8 c8",
                             "c16 c16 c16 c16 d8 d8 o4 a8 g8 o3 g16 g16 g8 o4", bars, 2, 8),
        "@3 v7 " + DrumBars("[e16 e16 f8]4", "b4 e8 e8 f8 e8 b4", bars, 3, 8),
        "@0 v9 q7 " + RestBars(18) + ScaleShift(bridgeTune, "B harmonic", 2) + RestBars(8),
    };
    song.echoBeats = 1.5;
    song.echoFeedback = 0.3;
    song.echoLevel = 0.25;
    song.pans = {0, 0, -0.85, 0.15, 0.85, 0, 0.52, -0.45};
    return song;
}

// E-flat minor with diminished chords, 164: the deep. Intro, verse, bridge, varied verse, then the
// bridge and the varied verse again a tone higher (42 bars). An inharmonic FM voice like a cracked bell,
// triplet arpeggios through diminished harmony, a sparse heavy beat and a low drone.
Song Stage9Song() {
    const std::string intro = "Ebm Ebm ";
    const std::string verse = "Ebm Cdim7 Ebm Cdim7 Abm Fdim7 Bb Bb ";
    const std::string bridge = "Cb Gb Abm Ebm Cb Abm Bb7 Bb7 ";

    const std::string verse1 =
        "o4 b-4. g-8 e-4 b-4 / > c4. e-8 g-4 e-4 < / b-4 > e-8 g-8 b-4 a-4 < / > g-2 e-2 < /"
        " a-4. b8 > e-4 d-4 < / b4 a-4 f4 d4 / f4 b-4 > d4 f4 < / > e-4 d4 < b-2 / ";
    const std::string verse2 =
        "o4 > e-4. d-8 e-4 g-4 < / > a4 g-8 e-8 c4 e-4 < / > b-4. a-8 g-4 e-4 < / > g-4 e-4 c4 < a4 /"
        " a-4 b8 > e-8 a-4 g-4 < / > f2 d4 < b4 / > d4 f4 b-4 a4 < / > b-2 < b-2 / ";
    const std::string bridgeTune =
        "o4 > e-2 < b2 / > d-2 < b-2 / b2 > e-2 < / > g-2. r4 < /"
        " > f+4 e-4 < b4 > e-4 < / > e-4 < b4 a-4 e-4 / d4 f4 a-4 b-4 / > d4 < a-4 f4 d4 / ";

    Instrument bell = FmVoice(1.41, 1.4, 0.0, 0.7);
    bell.attack = 0.01;
    bell.decay = 0.6;
    bell.sustain = 0.5;
    bell.release = 0.3;
    bell.vibratoDepth = 0.12;
    Instrument drone = SawVoice(0.35, 500, 5);
    drone.attack = 0.3;
    drone.release = 0.4;
    drone.vibratoDepth = 0;
    drone.echoSend = 0;
    Song song{};
    song.instruments = {bell, PulsePluck(0.125, 0.28), TriangleBass(1.0), DrumKit(0.8), drone};
    const std::vector<Section> form = {{intro, "r1 r1 / "}, {verse, verse1},         {bridge, bridgeTune},
                                       {verse, verse2},     {bridge, bridgeTune, 2}, {verse, verse2, 2}};
    const int bars = FormBars(form);
    song.channels = {
        "t164 @0 v13 l8 " + EachSection(form, [](const Section& s) { return s.tune; }),
        "@1 v10 " + EachSection(form, [](const Section& s) { return Arpeggio(s.chart, 4, true, 3); }),
        "@2 v15 q7 " +
            EachSection(form, [](const Section& s) { return BassLine(s.chart, BassStyle::Syncopated, 1); }),
        "@3 v14 " + DrumBars("c4 r8 c8 d4 r8 c8", "c4 o3 g8 g8 o4 a8 a8 d8 d8", bars, 2, 8),
        "@3 v6 " + DrumBars("[c+16 e16]4 e16 e16 f8 e16 e16 f8", "b4 c+8 e8 c+8 e8 f4", bars, 3, 8),
        "@4 v11 q8 " +
            EachSection(form, [](const Section& s) { return BassLine(s.chart, BassStyle::Whole, 2); }),
    };
    song.echoBeats = 1.5;
    song.echoFeedback = 0.5;
    song.echoLevel = 0.4;
    song.pans = {0, -0.68, 0, 0, 0.52, 0.38};
    return song;
}

// C-sharp minor, 170: the last stage, the fastest and busiest. Intro, verse, varied verse, bridge, then
// the varied verse and the bridge a tone higher (42 bars). Crushing: a low doubled saw lead, a sub-bass saw
// in octaves, FM brass held chords and the leading-tone diminished seventh at every turn.
Song Stage10Song() {
    const std::string intro = "C#m C#m ";
    const std::string verse = "C#m D C#m B#dim7 A F#m D G#7 ";
    const std::string bridge = "F#m C#m D A F#m D B#dim7 G#7 ";

    const std::string verse1 =
        "o4 c+4. e8 g+4 > c+4 < / > d4. c+8 < a4 f+4 / g+4 e8 g+8 > c+4 e4 < / > d+2 c2 < /"
        " > c+4. < b8 a4 e4 / f+4 a4 > c+4 < a4 / a4 > d4 f+4 e4 < / > d+4 c4 < g+2 / ";
    const std::string verse2 =
        "o4 > g+4. f+8 e4 d+4 < / > d4 c+8 < b8 a4 f+4 / g+4 > c+4 e4 g+4 < / > f+2 d+4 c4 < /"
        " > e4 c+8 < b8 a4 > c+4 < / > f+4 e4 c+4 < a4 / a4 f+8 d8 a4 f+4 / g+2 > d+4 c4 < / ";
    const std::string bridgeTune =
        "o4 a2 f+2 / g+2 e2 / f+4 a4 > d4 c+4 < / > c+2 < a2 /"
        " > c+4 < a4 f+4 a4 / > d2 < a2 / > d+4 c4 < a4 f+4 / g+2. r4 / ";

    const std::vector<Section> form = {{intro, "r1 r1 / "},  {verse, verse1},    {verse, verse2},
                                       {bridge, bridgeTune}, {verse, verse2, 2}, {bridge, bridgeTune, 2}};
    const int bars = FormBars(form);

    const Instrument bass = SawBass(0.9, 600);
    Instrument brass = FmVoice(1.0, 2.0, 0.0, 0.22);
    brass.attack = 0.15;
    brass.release = 0.3;
    brass.vibratoDepth = 0;
    Song song{};
    song.instruments = {SawVoice(1.3, 2200, 15), bass, brass, DrumKit(0.9)};
    song.instruments[0].vibratoHz = 4.5;
    song.channels = {
        "t170 @0 v13 l8 " + EachSection(form, [](const Section& s) { return s.tune; }),
        "@1 v15 q7 " +
            EachSection(form, [](const Section& s) { return BassLine(s.chart, BassStyle::Octaves, 1); }),
        "@2 v11 q8 " + EachSection(form, [](const Section& s) { return ChordVoice(s.chart, 0, 3); }),
        "@2 v11 q8 " + EachSection(form, [](const Section& s) { return ChordVoice(s.chart, 1, 3); }),
        "@2 v11 q8 " + EachSection(form, [](const Section& s) { return ChordVoice(s.chart, 2, 3); }),
        "@3 v15 " +
            DrumBars("c8 c8 c8 c8 d4 r8 c8", "c8 c8 o4 a8 a8 o3 g8 g8 o4 d16 d16 d16 d16", bars, 2, 4),
        "@3 v7 " + DrumBars("[e16]6 f8 [e16]6 f8", "b4 e8 e8 f8 e8 f8 e8", bars, 3, 4),
    };
    song.echoBeats = 0.75;
    song.echoFeedback = 0.4;
    song.echoLevel = 0.3;
    song.pans = {0, 0, -0.85, 0.15, 0.85, 0, 0.52};
    return song;
}

}  // namespace veltrano::assetgen
