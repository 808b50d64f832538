// Stages 1 to 5: from a bright, heroic major to the first minor keys.
#include "tools/assetgen/Instruments.h"
#include "tools/assetgen/MusicScores.h"
#include "tools/assetgen/ScoreTools.h"

namespace veltrano::assetgen {

// D major, 150: the opening fanfare. A rising question-and-answer theme, a bridge that turns to the
// relative minor, and a lead-in that brings the loop back to the tonic.
Song Stage1Song() {
    const std::string intro = "G A";
    const std::string verse = "D A Bm G D A G,A D";
    const std::string bridge = "Bm G Em A Bm G E7 A7";
    const std::string chart = intro + " " + verse + " " + verse + " " + bridge + " " + verse;

    const std::string leadIntro = "r1 o4 a8 r8 a8 b8 > c+4 e4 ";
    const std::string themeA =
        "o5 d4. e8 f+4 a4 / g4 f+8 e8 e2 / f+4. e8 d4 < b4 > / e4 d8 < b8 > d2 /"
        " d4. e8 f+4 a4 / b4. a8 a2 / g8 f+8 g8 a8 b4 > c+4 < / > d2 < a4 f+4 /";
    const std::string themeB =
        "o5 a4. f+8 a4 > d4 < / > c+4. < b8 a2 / b4. a8 f+4 d4 / g8 a8 b8 a8 g4 b4 /"
        " a4 f+8 a8 > d4 e4 / f+4 e8 d8 c+4 < a4 / b4 > d4 c+4 e4 / d2. r4 /";
    const std::string bridgeTune =
        "o5 f+2 d4 f+4 / g2. b4 / a4 g4 e4 g4 / f+2 e2 /"
        " f+4 g4 a4 b4 / > d2 < b2 / g+4 b4 > d4 e4 < / a2 > c+4 e4 /";

    const std::string groove = "c8 e8 d8 e8 c8 c8 d8 e8";
    const std::string fill = "c8 e8 d8 c8 d16 d16 o3 a8 g8 g16 g16 o4";
    const std::string hats = "e8 e8 e8 f8 e8 e8 e8 f8";

    Song song{"Stage1", {}, {}};
    song.instruments = {PulseLead(0.25, 0.8), PulsePluck(0.125, 0.35), TriangleBass(1.0), DrumKit(0.75),
                        Pad(VoiceKind::Pulse, 0.18)};
    song.channels = {
        "t150 @0 v13 l8 " + leadIntro + themeA + themeB + bridgeTune + themeB,
        "@1 v10 " + Arpeggio(chart, 4, true, 4),
        "@2 v15 q6 " + BassLine(intro + " " + verse + " " + verse, BassStyle::Octaves, 2) +
            BassLine(bridge, BassStyle::Syncopated, 2) + BassLine(verse, BassStyle::Octaves, 2),
        "@3 v14 " + DrumBars(groove, fill, ChartBars(chart), 8),
        "@3 v7 " + DrumBars(hats, hats, ChartBars(chart), 0),
        "@4 v10 q8 " + ChordVoice(chart, 0, 4),
        "@4 v10 q8 " + ChordVoice(chart, 1, 4),
    };
    song.echoBeats = 0.75;
    return song;
}

}  // namespace veltrano::assetgen
