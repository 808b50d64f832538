// The note language, the song renderer and the score helpers of the music generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "tools/assetgen/Music.h"
#include "tools/assetgen/ScoreTools.h"
#include "tools/assetgen/Sequencer.h"
#include "tools/assetgen/SoundSynth.h"
#include "world/Music.h"

using namespace veltrano::assetgen;

namespace {

ParsedChannel Parse(const std::string& mml) {
    ParsedChannel out;
    std::string error;
    EXPECT_TRUE(ParseMml(mml, &out, &error)) << mml << ": " << error;
    return out;
}

std::vector<int> Pitches(const ParsedChannel& c) {
    std::vector<int> p;
    for (const NoteEvent& n : c.notes) p.push_back(n.midiNote);
    return p;
}

std::string ParseError(const std::string& mml) {
    ParsedChannel out;
    std::string error;
    EXPECT_FALSE(ParseMml(mml, &out, &error)) << mml;
    return error;
}

}  // namespace

TEST(SoundsNoteLanguage, ReadsPitchesLengthsDotsTiesAndGates) {
    const ParsedChannel c = Parse("t120 o4 l8 c d+4 e-4. > c < b & b2 q4 a16 k2 c r1 c");
    EXPECT_EQ(c.tempo, 120);
    EXPECT_EQ(Pitches(c), (std::vector<int>{60, 63, 63, 72, 71, 69, 62, 62}));
    // c8 = 48 ticks; d+4 = 96; e-4. = 144; b & b2 = 48 + 192.
    EXPECT_EQ(c.notes[1].startTick, 48);
    EXPECT_EQ(c.notes[2].startTick, 144);
    EXPECT_EQ(c.notes[3].startTick, 288);
    EXPECT_EQ(c.notes[4].startTick, 336);
    EXPECT_EQ(c.notes[5].startTick, 336 + 240);
    // The default gate holds a note for seven eighths of its length; q8 would hold it all.
    EXPECT_EQ(c.notes[0].gateTicks, 42);
    EXPECT_EQ(c.notes[4].gateTicks, 240 * 7 / 8);
    EXPECT_EQ(c.notes[5].gateTicks, 12);  // q4 of a sixteenth
    EXPECT_EQ(c.notes[7].startTick, c.notes[6].startTick + 48 + TicksPerWhole);
    EXPECT_EQ(c.totalTicks, c.notes[7].startTick + 48);
}

TEST(SoundsNoteLanguage, LoopsRepeatAndTheBarSkipsTheRestOnTheLastPass) {
    EXPECT_EQ(Pitches(Parse("o4 l4 [c d | e]3")), (std::vector<int>{60, 62, 64, 60, 62, 64, 60, 62}));
    EXPECT_EQ(Pitches(Parse("o4 l4 [c [d]2 e]2")), (std::vector<int>{60, 62, 62, 64, 60, 62, 62, 64}));
    // Settings changed inside a loop carry over to the next pass, as in any MML.
    EXPECT_EQ(Pitches(Parse("o4 l4 [c >]3")), (std::vector<int>{60, 72, 84}));
    const ParsedChannel c = Parse("v15 @2 l2 [c]4");
    EXPECT_EQ(c.totalTicks, 2 * TicksPerWhole);
    EXPECT_DOUBLE_EQ(c.notes[0].velocity, 1.0);
    EXPECT_EQ(c.notes[3].instrument, 2);
}

TEST(SoundsNoteLanguage, RejectsMistakesInAScoreWithTheirPlace) {
    EXPECT_NE(ParseError("c4 d8 / e").find("bar line"), std::string::npos);
    EXPECT_NE(ParseError("c4 & d4").find("tie"), std::string::npos);
    EXPECT_NE(ParseError("[c d").find("'['"), std::string::npos);
    EXPECT_NE(ParseError("c d]2").find("']'"), std::string::npos);
    EXPECT_NE(ParseError("c5").find("length"), std::string::npos);
    EXPECT_NE(ParseError("t120 c t140 c").find("tempo"), std::string::npos);
    EXPECT_NE(ParseError("c | d").find("outside"), std::string::npos);
    EXPECT_NE(ParseError("o9 c").find("octave"), std::string::npos);
    EXPECT_NE(ParseError("c x").find("character 3"), std::string::npos);
    EXPECT_NE(ParseError("v16").find("volume"), std::string::npos);
    // Bar lines that fall on bars are accepted.
    EXPECT_EQ(Parse("c2 c4 c4 / c1 /").totalTicks, 2 * TicksPerWhole);
}

TEST(SoundsRenderer, TheBufferIsOneLoopWithTailsAndEchoesWrappedOntoItsStart) {
    Instrument ring;
    ring.kind = VoiceKind::Triangle;
    ring.release = 0.5;  // rings well past the end of the bar
    ring.echoSend = 1.0;
    Song song{"Test", {ring}, {"t120 o4 r2. q8 a4"}, {}};
    song.echoBeats = 0.5;
    song.echoFeedback = 0.0;
    song.echoLevel = 0.5;
    StereoLoop loop;
    double tempo = 0;
    std::string error;
    ASSERT_TRUE(RenderSong(song, &loop, &tempo, &error)) << error;
    EXPECT_EQ(loop.left, loop.right);  // a channel without a place stands in the middle
    const std::vector<float>& samples = loop.left;
    EXPECT_EQ(tempo, 120);
    ASSERT_EQ(samples.size(), static_cast<size_t>(2 * SampleRate));  // one bar at 120 is two seconds
    double head = 0, echo = 0, before = 0, peak = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        ASSERT_TRUE(std::isfinite(samples[i]));
        peak = std::fmax(peak, std::fabs(samples[i]));
        if (i < static_cast<size_t>(SampleRate / 10)) head += std::fabs(samples[i]);
        if (i > static_cast<size_t>(SampleRate * 0.55) && i < static_cast<size_t>(SampleRate * 0.72))
            echo += std::fabs(samples[i]);
        // The note sounds from 1.5 s; its release ends by 0.5 s into the next pass and its echo, an
        // eighth later, by 0.75 s. In between there is silence.
        if (i > static_cast<size_t>(SampleRate * 0.8) && i < static_cast<size_t>(SampleRate * 1.45))
            before += std::fabs(samples[i]);
    }
    EXPECT_GT(head, 0.0) << "the release ringing past the end must sound at the start";
    EXPECT_GT(echo, 0.0) << "the echo of the last note must sound after the wrapped release";
    EXPECT_EQ(before, 0.0);
    EXPECT_LE(peak, 1.0);
    EXPECT_NEAR(std::fabs(samples.front() - samples.back()), 0.0, 0.05);

    // A channel placed to one side is heard more there, and only there at the edge; its echo comes
    // back from the other side.
    ASSERT_TRUE(RenderSong(Song{"Left", {ring}, {"t120 o4 r2. q8 a4"}, {-1.0}}, &loop, &tempo, &error));
    EXPECT_TRUE(std::any_of(loop.right.begin(), loop.right.end(), [](float v) { return v != 0; }));
    song.echoLevel = 0;
    for (double pan : {-1.0, 0.5}) {
        song.pans = {pan};
        ASSERT_TRUE(RenderSong(song, &loop, &tempo, &error)) << error;
        double left = 0, right = 0;
        for (size_t i = 0; i < loop.left.size(); ++i)
            left += std::fabs(loop.left[i]), right += std::fabs(loop.right[i]);
        EXPECT_EQ(pan<0, left> right) << pan;
        EXPECT_EQ(right == 0, pan == -1.0) << pan;
    }

    song.channels.push_back("c2");
    EXPECT_FALSE(RenderSong(song, &loop, &tempo, &error));
    EXPECT_NE(error.find("lasts"), std::string::npos);
    song.channels = {"t120 @1 c1"};
    EXPECT_FALSE(RenderSong(song, &loop, &tempo, &error));
    EXPECT_NE(error.find("instrument 1"), std::string::npos);
    // An instrument whose level overflows makes a mix that is not a number: refused, not written.
    song.instruments[0].volume = HUGE_VAL;
    song.channels = {"t120 c1"};
    EXPECT_FALSE(RenderSong(song, &loop, &tempo, &error));
    EXPECT_NE(error.find("not finite"), std::string::npos);
}

TEST(SoundsScoreTools, ChordChartsBecomeWholeBarsOfTheRightNotes) {
    const std::string chart = "C Am,G7 F#dim Bbm7,Eb,Dsus4,E5";
    ASSERT_EQ(ChartBars(chart), 4);
    const std::string lines[] = {BassLine(chart, BassStyle::Whole, 2),
                                 BassLine(chart, BassStyle::Quarters, 2),
                                 BassLine(chart, BassStyle::Eighths, 2),
                                 BassLine(chart, BassStyle::Octaves, 2),
                                 BassLine(chart, BassStyle::Gallop, 2),
                                 BassLine(chart, BassStyle::Syncopated, 2),
                                 Arpeggio(chart, 4, true, 4),
                                 Arpeggio(chart, 4, false, 3),
                                 ChordVoice(chart, 1, 4),
                                 DrumBars("c4 d4 c4 d4", "c1", 4, 2, 8)};
    for (const std::string& line : lines) EXPECT_EQ(Parse(line).totalTicks, 4 * TicksPerWhole) << line;

    EXPECT_EQ(Pitches(Parse(BassLine("C", BassStyle::Quarters, 2))), (std::vector<int>{36, 43, 48, 43}));
    EXPECT_EQ(Pitches(Parse(BassLine("Bb", BassStyle::Whole, 2))), (std::vector<int>{46}));
    EXPECT_EQ(Pitches(Parse(Arpeggio("Am", 4, true, 2))), (std::vector<int>{69, 72, 76, 81, 84, 88, 84, 81}));
    // Held chord voices stay inside one octave window and each takes a different chord tone.
    for (const char* chord : {"C", "F#dim", "Ab", "B7"}) {
        std::set<int> voices;
        for (int v = 0; v < 3; ++v) voices.insert(Pitches(Parse(ChordVoice(chord, v, 4)))[0]);
        EXPECT_EQ(voices.size(), 3u) << chord;
        EXPECT_LT(*voices.rbegin() - *voices.begin(), 12) << chord;
    }
    EXPECT_EQ(Pitches(Parse(DrumBars("c2 c2", "d1", 4, 2, 2))), (std::vector<int>{60, 60, 62, 60, 60, 62}));
    // An unreadable chord or an uneven split fails loudly in the parser, not silently in the music.
    ParseError(BassLine("H", BassStyle::Whole, 2));
    ParseError(BassLine("C,D,E", BassStyle::Whole, 2));
    ParseError(Arpeggio("Cmajor", 4, false, 4));
}

TEST(SoundsScoreTools, ScaleShiftKeepsTheRhythmAndMovesAlongTheScale) {
    const std::string melody = "o5 d4 e8. f+16 r8 a4 & a8 / c+2 g+4 < b-4 /";
    const ParsedChannel original = Parse("q8 " + melody);
    // A third below in D major; the chromatic g+ and b- stay a semitone above their shifted
    // neighbours g and a.
    const ParsedChannel third = Parse("q8 " + ScaleShift(melody, "D major", 2));
    EXPECT_EQ(Pitches(third), (std::vector<int>{71, 73, 74, 78, 69, 77, 67}));
    ASSERT_EQ(third.notes.size(), original.notes.size());
    EXPECT_EQ(third.totalTicks, original.totalTicks);
    for (size_t i = 0; i < third.notes.size(); ++i) {
        EXPECT_EQ(third.notes[i].startTick, original.notes[i].startTick);
        EXPECT_EQ(third.notes[i].gateTicks, original.notes[i].gateTicks);
    }
    // Up a step in a minor mode, across the octave.
    EXPECT_EQ(Pitches(Parse(ScaleShift("o4 b-4 g4 a2", "G minor", -1))), (std::vector<int>{72, 69, 70}));
    ParseError(ScaleShift("o4 c4", "Q major", 1));
    ParseError(ScaleShift("o4 c4", "C bebop", 1));
}

TEST(SoundsScores, EveryPieceHasOneDistinctTempoAndChannelsOfEqualLength) {
    std::set<double> tempos;
    for (int s = 0; s < SongCount; ++s) {
        const Song song = MakeSong(s);
        SCOPED_TRACE(SongName(s));
        double tempo = 0;
        int64_t ticks = -1;
        for (const std::string& mml : song.channels) {
            const ParsedChannel c = Parse(mml);
            if (c.tempo != 0) tempo = c.tempo;
            if (ticks < 0) ticks = c.totalTicks;
            EXPECT_EQ(c.totalTicks, ticks);
            for (const NoteEvent& n : c.notes)
                ASSERT_LT(n.instrument, static_cast<int>(song.instruments.size()));
        }
        ASSERT_GT(tempo, 0);
        tempos.insert(tempo);
        const double seconds = ticks / static_cast<double>(TicksPerBeat) * 60.0 / tempo;
        EXPECT_GE(seconds, 45.0);
        EXPECT_LE(seconds, 120.0);
        EXPECT_GE(song.channels.size(), 4u) << "melody, harmony, bass and drums";
        EXPECT_EQ(song.pans.size(), song.channels.size()) << "every channel placed in the field";
    }
    EXPECT_EQ(tempos.size(), static_cast<size_t>(SongCount));
}

namespace {

// Each bar of a piece as the first bar (counting from 0) that sounds like it: 0 1 2 1 is a piece
// whose fourth bar repeats its second. With `melodyShape`, bars are compared by the melody's rhythm
// and intervals alone, so a verse lifted into another key still reads as that verse: that is the
// piece's form. Otherwise every channel counts, note for note.
std::vector<int> BarsOf(const Song& song, bool melodyShape) {
    std::vector<std::string> bars;
    for (size_t c = 0; c < (melodyShape ? 1 : song.channels.size()); ++c) {
        const ParsedChannel parsed = Parse(song.channels[c]);
        bars.resize(static_cast<size_t>(parsed.totalTicks / TicksPerWhole));
        std::vector<int> firstPitch(bars.size(), -1);
        for (const NoteEvent& n : parsed.notes) {
            const size_t bar = static_cast<size_t>(n.startTick / TicksPerWhole);
            if (firstPitch[bar] < 0) firstPitch[bar] = n.midiNote;
            const int pitch = melodyShape ? n.midiNote - firstPitch[bar] : n.midiNote;
            bars[bar] += std::to_string(c) + ":" + std::to_string(n.startTick % TicksPerWhole) + ":" +
                         std::to_string(pitch) + ":" + std::to_string(n.gateTicks) + " ";
        }
    }
    std::vector<int> form;
    for (size_t b = 0; b < bars.size(); ++b)
        form.push_back(static_cast<int>(std::find(bars.begin(), bars.end(), bars[b]) - bars.begin()));
    return form;
}

int DistinctBars(const std::vector<int>& form) {
    return static_cast<int>(std::set<int>(form.begin(), form.end()).size());
}

}  // namespace

TEST(SoundsScores, TheStageMusicClimbsWithTheGameEachPieceInAFormOfItsOwn) {
    std::vector<std::vector<int>> forms;
    std::vector<int> distinct;
    double lastTempo = 0;
    for (int s = 0; s < 10; ++s) {
        const Song song = MakeSong(s);
        SCOPED_TRACE(SongName(s));
        // The stage pieces are the first ten, in stage order; each is faster than the one before.
        ASSERT_EQ(veltrano::StageMusicPiece(s + 1), static_cast<veltrano::MusicPiece>(s));
        const double tempo = Parse(song.channels[0]).tempo;
        EXPECT_GT(tempo, lastTempo);
        lastTempo = tempo;
        const std::vector<int> form = BarsOf(song, true);
        for (const std::vector<int>& other : forms) EXPECT_NE(form, other) << "two stages share one form";
        forms.push_back(form);
        distinct.push_back(DistinctBars(BarsOf(song, false)));
    }
    // The last stages are the least repetitive.
    EXPECT_GE(std::min(distinct[8], distinct[9]), std::max(distinct[0], distinct[1]));
}
