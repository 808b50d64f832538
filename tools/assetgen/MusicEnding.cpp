// The ending: E-flat major, 90. Calm and warm after the battles: a soft FM flute over an electric
// piano, round triangle bass, held chords and brushed drums, with a long echo.
#include "tools/assetgen/Instruments.h"
#include "tools/assetgen/MusicScores.h"
#include "tools/assetgen/ScoreTools.h"

namespace veltrano::assetgen {

Song EndingSong() {
    const std::string intro = "Eb Ab ";
    const std::string verse = "Eb Bb Cm Ab Eb Bb Ab Bb ";
    const std::string bridge = "Ab Bb Gm Cm Fm Bb Eb Bb7 ";
    const std::string chart = intro + verse + bridge + verse;
    const int bars = ChartBars(chart);

    const std::string verse1 =
        "o5 g4. a-8 g4 e-4 / f4. g8 f4 d4 / e-4. f8 g4 > c4 < / b-2 a-2 /"
        " g4. a-8 b-4 > e-4 < / > d4. c8 < b-2 / a-4 > c4 < b-4 a-4 / g4 f8 e-8 f2 / ";
    const std::string verse2 =
        "o5 b-4. > c8 < b-4 g4 / a-4. b-8 a-4 f4 / g4. a-8 b-4 > e-4 < / > c2. r4 < /"
        " > e-4. d8 c4 < b-4 / > d4 c8 < b-8 a-4 f4 / e-4 f4 a-4 > c4 < / b-2. r4 / ";
    const std::string bridgeTune =
        "o5 > c2 < a-4 > c4 < / > d2 < b-2 / b-4 g4 d4 g4 / e-2. g4 /"
        " a-4. g8 f4 c4 / d4 f4 b-4 a-4 / g2 b-2 / a-4 g4 f4 d4 / ";

    Instrument flute = FmVoice(1.0, 0.7, 0.0, 0.7);
    flute.attack = 0.06;
    flute.release = 0.25;
    flute.vibratoDepth = 0.2;
    flute.vibratoHz = 4.8;
    flute.vibratoDelay = 0.35;
    flute.echoSend = 0.6;
    Instrument piano = FmVoice(1.0, 1.8, 0.3, 0.35);
    piano.release = 0.4;
    Song song{};
    song.instruments = {flute, piano, TriangleBass(0.9), DrumKit(0.5), Pad(VoiceKind::Triangle, 0.25)};
    song.channels = {
        "t90 @0 v13 l8 r1 / r2 o5 b-4 a-4 / " + verse1 + bridgeTune + verse2,
        "@1 v10 q8 " + Arpeggio(chart, 4, true, 2),
        "@2 v12 q8 " + BassLine(intro + verse, BassStyle::Whole, 2) + "q7 " +
            BassLine(bridge + verse, BassStyle::Syncopated, 2),
        "@3 v11 " + DrumBars("c4 c+4 r8 c8 c+4", "c4 c+4 c8 o4 a16 a16 g8 g8", bars, 10, 8),
        "@3 v5 " + DrumBars("e8 e8 e8 e8 e8 e8 e8 e8", "b2 e8 e8 e8 e8", bars, 3, 8),
        "@4 v10 q8 " + ChordVoice(chart, 0, 4),
        "@4 v10 q8 " + ChordVoice(chart, 1, 4),
        "@4 v10 q8 " + ChordVoice(chart, 2, 4),
        "@0 v9 q7 " + RestBars(18) + ScaleShift(verse2, "Eb major", 2),
    };
    song.echoBeats = 1.5;
    song.echoFeedback = 0.45;
    song.echoLevel = 0.35;
    song.pans = {0, -0.6, 0, 0, 0.52, -0.85, 0.15, 0.85, 0.45};
    return song;
}

}  // namespace veltrano::assetgen
