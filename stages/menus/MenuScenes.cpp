// The scenes before the stages: the animated title, the ship select, the key configuration. Their
// scripts place and move furniture slots; the frame handler reads the keys and moves the cursor.
#include <climits>

#include "engine/CentralSystem.h"
#include "stages/Scenes.h"
#include "world/Sounds.h"

namespace veltrano {

namespace {

// The menus that wait for a key count to 2000 and start again.
void WrapFrameAt2000(ScriptBuilder& s) {
    s.AtFrame(2000, [&] { s.SetStageFrame(0); });
}

// The ship shows the chosen weapon by firing it without a key.
void KeepShipFiring() {
    SetShotVelocities();
    FireHeld = 1;
}

constexpr int LeftPiece = 700, MiddlePiece = 701, RightPiece = 702;
constexpr int FirstEntry = 703, SecondEntry = 704;

// The title's pieces strike each other on these frames, and shake for 24 frames from each strike.
constexpr int Strikes[] = {184, 246, 508};
constexpr int ShakeFrames = 24;
// The side pieces stand apart from here until they close for the last strike.
constexpr int Parted = 480;

// A shake moves its piece -4 on odd frames and +4 on even ones, so over its even number of frames
// it leaves the piece where it began.
constexpr int Shake = INT_MIN;
static_assert(ShakeFrames % 2 == 0);

// One move of the title's animation: the slot moves by (Dx, Dy) on each frame strictly between From
// and To.
struct TitleMove {
    int Slot, Dx, Dy, From, To;
};

// clang-format off
constexpr TitleMove TitleMoves[] = {
    {LeftPiece,      4,     -1,    31,              160},
    {MiddlePiece,    -16,   0,     151,             Strikes[0]},
    {LeftPiece,      -16,   0,     159,             Strikes[0]},
    {LeftPiece,      Shake, 0,     Strikes[0] - 1,  Strikes[0] + ShakeFrames},
    {MiddlePiece,    Shake, 0,     Strikes[0] - 1,  Strikes[0] + ShakeFrames},
    {LeftPiece,      0,     16,    223,             Strikes[1]},
    {RightPiece,     0,     16,    223,             Strikes[1]},
    {LeftPiece,      0,     Shake, Strikes[1] - 1,  Strikes[1] + ShakeFrames},
    {RightPiece,     0,     Shake, Strikes[1] - 1,  Strikes[1] + ShakeFrames},
    {LeftPiece,      1,     -4,    287,             352},
    {MiddlePiece,    2,     2,     287,             352},
    {RightPiece,     7,     -1,    287,             352},
    {LeftPiece,      0,     2,     383,             400},
    {RightPiece,     0,     -2,    383,             400},
    {LeftPiece,      -16,   0,     463,             Parted},
    {RightPiece,     16,    0,     463,             Parted},
    {LeftPiece,      16,    0,     487,             Strikes[2]},
    {RightPiece,     -16,   0,     487,             Strikes[2]},
    {LeftPiece,      Shake, 0,     Strikes[2] - 1,  Strikes[2] + ShakeFrames},
    {MiddlePiece,    Shake, 0,     Strikes[2] - 1,  Strikes[2] + ShakeFrames},
    {RightPiece,     Shake, 0,     Strikes[2] - 1,  Strikes[2] + ShakeFrames},
    {LeftPiece,      0,     -2,    547,             580},
    {MiddlePiece,    0,     -2,    547,             580},
    {RightPiece,     0,     -2,    547,             580},
    {FirstEntry,     0,     -8,    579,             604},
    {SecondEntry,    0,     -8,    603,             620},
    {MenuCursorSlot, 16,    0,     619,             635},
};
// clang-format on

struct TitlePlace {
    int Slot, X, Y;
};

// Where the title's pieces, entries and cursor are placed when the title begins.
constexpr TitlePlace TitleStarts[] = {{LeftPiece, -128, 128},          {MiddlePiece, FieldWidth, 0},
                                      {RightPiece, 0, -128},           {FirstEntry, 240, FieldHeight},
                                      {SecondEntry, 272, FieldHeight}, {MenuCursorSlot, -32, 288}};

// Where the animation leaves `place`'s slot.
constexpr TitlePlace TitleEnd(TitlePlace place) {
    for (const TitleMove& m : TitleMoves) {
        if (m.Slot != place.Slot) continue;
        const int frames = m.To - m.From - 1;
        if (m.Dx != Shake) place.X += m.Dx * frames;
        if (m.Dy != Shake) place.Y += m.Dy * frames;
    }
    return place;
}

// The animation is over by this frame; a confirm before it skips to the end, with the clock at the
// skip frame.
constexpr int TitleSkippableBefore = 600;
constexpr int TitleSkipFrame = 640;

}  // namespace

// The background keeps scrolling behind every menu.
void WriteMenuReset(ScriptBuilder& s, ResetKind kind) {
    s.Reset(kind);
    s.Layers({.layer1X = -1, .layer2X = -2, .layer3X = -4});
    s.HitPoints(6, 6, 100);
    s.HitPoints(1000, 1999, 1);
    s.HitPoints(2000, 2499, 5);
    s.DefaultHitPoints(3000, 3499);
}

void WriteTitle(ScriptBuilder& s) {
    WriteMenuReset(s, ResetKind::Menu);
    for (const TitlePlace& p : TitleStarts) s.Place(p.Slot, p.X, p.Y);
    const Arg shake = Arg::Cycle({.period = 2, .threshold = 0, .above = -4, .otherwise = 4});
    for (const TitleMove& m : TitleMoves)
        s.MoveDuring({.slot = m.Slot,
                      .dx = m.Dx == Shake ? shake : Arg(m.Dx),
                      .dy = m.Dy == Shake ? shake : Arg(m.Dy),
                      .from = m.From,
                      .to = m.To});
}

void SoundTitleStrikes() {
    for (int strike : Strikes)
        if (StageFrame == strike) RestartSound(BombSound);
}

bool SkipTitleAnimation() {
    if (StageFrame >= TitleSkippableBefore) return false;
    for (const TitlePlace& start : TitleStarts) {
        const TitlePlace end = TitleEnd(start);
        EnemyX[end.Slot] = end.X;
        EnemyY[end.Slot] = end.Y;
    }
    StageFrame = TitleSkipFrame;
    return true;
}

void WriteShipSelect(ScriptBuilder& s) {
    WriteMenuReset(s, ResetKind::ShipSelect);
    s.Place(MenuCursorSlot, 64, 64);
    s.Place({.first = 0, .count = 6, .x = 96, .y = Coord::Per(64, 64)});  // the six weapon icons

    WrapFrameAt2000(s);
    s.Call(KeepShipFiring);
}

void WriteKeyConfig(ScriptBuilder& s) {
    WriteMenuReset(s, ResetKind::Menu);
    s.Place(MenuCursorSlot, 64, 64);
    s.Place(733, 96, 64);
    s.Place(706, 96, 128);
    s.Place(707, 96, 192);
    s.Place({.first = 708, .count = 4, .x = 128, .y = Coord::Per(240, 48)});
    s.Place(734, 288, 128);
    s.Place({.first = 735, .count = 4, .x = 288, .y = Coord::Per(240, 48)});

    WrapFrameAt2000(s);
}

}  // namespace veltrano
