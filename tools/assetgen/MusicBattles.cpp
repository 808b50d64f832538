// The boss themes and the last battle: fast, driving, in minor modes, built from a riff section
// that repeats and a broader melodic section over it.
#include "tools/assetgen/Instruments.h"
#include "tools/assetgen/MusicScores.h"
#include "tools/assetgen/ScoreTools.h"

namespace veltrano::assetgen {

// A harmonic minor, 168: the stage bosses. Running eighth-note arpeggio figures on a thin pulse,
// a galloping saw bass, then the riff again on an FM voice and a soaring section over G and C.
Song BossSong() {
    const std::string intro = "Am Am F E ";
    const std::string riff = "Am F Dm E Am F G E ";
    const std::string soar = "Dm G C Am Dm E Am E ";
    const std::string chart = intro + riff + riff + soar + riff;
    const int bars = ChartBars(chart);

    const std::string riffTune =
        "o5 a8 e8 a8 b8 > c8 < b8 a8 e8 / f8 a8 > c8 < a8 f8 e8 f8 a8 / d8 f8 a8 > d8 c8 < a8 f8 d8 /"
        " e8 g+8 b8 > e8 d8 < b8 g+8 e8 / a4 > c4 e4 d8 c8 < / > c4 < a4 f4 a8 > c8 < / b4 > d4 < b4 g4 /"
        " g+4 b4 > e4 < g+4 / ";
    const std::string soarTune =
        "o5 > d2 < a4 > d4 < / > d2 < b4 g4 / > c4 < g4 > c4 e4 < / > e2. r4 < / > f4 e4 d4 c4 < /"
        " b4 > c4 d4 < b4 / > c4 < a4 > e4 a4 < / > g+2 < b2 / ";

    Instrument lead = PulseLead(0.125, 0.7);
    lead.vibratoHz = 7;
    lead.vibratoDelay = 0.1;
    Instrument fmLead = FmVoice(2.0, 2.0, 0.0, 0.6);
    fmLead.vibratoDelay = 0.1;
    const Instrument bass = SawBass(0.8, 1100);
    Song song{};
    song.instruments = {lead, fmLead, PulsePluck(0.25, 0.28), bass, DrumKit(0.8)};
    song.channels = {
        "t168 l8 v13 r1 r1 / o5 @0 a1 / g+1 / @0 " + riffTune + "@1 k-12 " + riffTune + "k0 @0 " + soarTune +
            riffTune,
        "@2 v10 " + Arpeggio(chart, 4, true, 4),
        "@3 v15 q6 " + BassLine(chart, BassStyle::Gallop, 2),
        "@4 v14 " + DrumBars("c16 c16 e8 d8 e8 c16 c16 c8 d8 e8", "c16 c16 d8 d16 d16 o4 a8 a8 g16 g16 g8 d8",
                             bars, 4, 8),
        "@4 v6 " + DrumBars("[e16]16", "b8 [e16]14", bars, 5, 8),
        "@1 v9 q7 " + RestBars(28) + ScaleShift(riffTune, "A harmonic", 2),
    };
    song.echoBeats = 0.75;
    song.echoFeedback = 0.25;
    song.echoLevel = 0.2;
    song.pans = {0, -0.68, 0, 0, 0.52, 0.6};
    return song;
}

// D phrygian, 176: the fortress bosses. A doubled saw lead pulling down onto E flat, FM slap bass in
// octaves, tom-heavy drums; the last riff is doubled an octave up by a pulse.
Song Boss2Song() {
    const std::string intro = "Dm Eb Dm Eb ";
    const std::string riff = "Dm Eb Dm Eb Bb Cm Dm Eb ";
    const std::string turn = "Gm Bb Eb F Gm Bb Eb Eb ";
    const std::string chart = intro + riff + turn + riff + riff;
    const int bars = ChartBars(chart);

    const std::string riffTune =
        "o5 d4 a4 f8 e-8 d4 / e-4 b-4 g8 f8 e-4 / f4 a4 > d4 c8 < a8 / b-2 g2 / f4 b-4 > d4 f4 < /"
        " e-4 g4 > c4 e-4 < / > d4 c8 < b-8 a4 f4 / g4 f4 e-4 < b-4 > / ";
    const std::string turnTune =
        "o5 g2 b-4 > d4 < / > f2 d4 < b-4 / > e-2 < b-4 g4 / a2 > c2 < / > d4 c4 < b-4 a4 /"
        " b-4 > c4 d4 f4 < / > e-2 < b-2 / > e-4 < b-4 g4 e-4 / ";

    const Instrument slap = FmSlapBass(2.8, 0.05, 0.9);
    Song song{};
    song.instruments = {SawVoice(1.2, 3500, 10), PulseLead(0.25, 0.4), PulsePluck(0.5, 0.25), slap,
                        DrumKit(0.8)};
    song.channels = {
        "t176 @0 v13 l8 " + RestBars(4) + riffTune + turnTune + riffTune + riffTune,
        "@1 v11 l8 " + RestBars(28) + "k12 " + riffTune,
        "@2 v10 " + Arpeggio(chart, 4, true, 4),
        "@3 v15 q5 " + BassLine(chart, BassStyle::Octaves, 2),
        "@4 v14 " + DrumBars("c8 c8 d8 c8 c16 c16 c8 d8 a16 g16",
                             "d16 d16 d16 d16 o4 a8 a8 g8 g8 o3 g8 g8 o4", bars, 4, 8),
        "@4 v7 " + DrumBars("e8 e8 e8 e8 e8 e8 e8 f8", "b8 e8 e8 e8 e8 e8 e8 f8", bars, 5, 8),
    };
    song.echoBeats = 0.5;
    song.echoFeedback = 0.3;
    song.echoLevel = 0.2;
    song.pans = {0, 0.6, -0.68, 0, 0, 0.52};
    return song;
}

// B-flat minor, 184: the fight against the god. The fastest and densest piece: saw lead doubled an
// octave down by a pulse, sixteenth-note kicks, FM brass stabs, and a diminished seventh on the
// leading tone before every return.
Song LastBattleSong() {
    const std::string intro = "Bbm Bbm Gb F ";
    const std::string riff = "Bbm Gb Ebm F Bbm Gb Adim7 F ";
    const std::string climb = "Gb Ab Db Bbm Gb Ab F F ";
    const std::string chart = intro + riff + riff + climb + riff + climb;
    const int bars = ChartBars(chart);

    const std::string riffTune =
        "o5 b-8 f8 b-8 > d-8 c8 < b-8 f8 d-8 / g-8 b-8 > d-8 < b-8 a8 g-8 f8 d-8 /"
        " e-8 g-8 b-8 > e-8 d-8 < b-8 g-8 e-8 / f4 a4 > c4 < a4 / b-4. > d-8 c4 < b-4 /"
        " > d-4. < b-8 g-4 b-4 / a4 > c4 e-4 g-4 < / f2 a4 > c4 < / ";
    const std::string climbTune =
        "o5 > d-2 < b-4 g-4 / > c2 < a-4 > e-4 < / > f2 e-4 d-4 < / > d-2 < b-2 / > g-4 f4 e-4 d-4 < /"
        " > e-4 d-4 c4 < a-4 / a4 > c4 f4 a4 < / > f4 e-4 c4 < a4 / ";
    const std::string tune = riffTune + riffTune + climbTune + riffTune + climbTune;
    const std::string introTune = "o4 f1 / f1 / g-1 / a1 / ";

    const Instrument bass = SawBass(0.8, 1000);
    Instrument brass = FmVoice(1.0, 3.2, 0.0, 0.35);
    brass.vibratoDepth = 0;
    brass.echoSend = 0.2;
    Song song{};
    song.instruments = {
        SawVoice(1.0, 4500, 12), PulseLead(0.25, 0.35), PulsePluck(0.125, 0.25), bass, brass, DrumKit(0.85)};
    song.instruments[0].vibratoHz = 6.5;
    song.channels = {
        "t184 @0 v13 l8 " + introTune + tune,
        "@1 v12 l8 k-12 " + introTune + tune,
        "@2 v10 " + Arpeggio(chart, 5, true, 4),
        "@3 v15 q6 " + BassLine(chart, BassStyle::Gallop, 1),
        "@4 v11 q2 " + ChordVoice(chart, 0, 4),
        "@4 v11 q2 " + ChordVoice(chart, 1, 4),
        "@5 v14 " + DrumBars("c16 c16 e16 c16 d8 e16 c16 c16 c16 e16 c16 d8 e8",
                             "d16 d16 d16 d16 o4 a16 a16 a16 a16 g16 g16 g16 g16 o3 g16 g16 g16 g16 o4", bars,
                             4, 8),
        "@5 v6 " + DrumBars("[e16]16", "b8 [e16]14", bars, 5, 4),
        "@0 v9 q7 " + RestBars(36) + ScaleShift(climbTune, "Bb harmonic", 2),
    };
    song.echoBeats = 0.75;
    song.echoFeedback = 0.25;
    song.echoLevel = 0.2;
    song.pans = {0, 0.45, -0.68, 0, -0.85, 0.85, 0, 0.52, -0.45};
    return song;
}

}  // namespace veltrano::assetgen
