// Stage 5: fliers and guns crossing from both sides, single guns whose fall each brings a bonus
// formation, a boss that rises from below, and a closing run in which a wall comes in, the player
// lets go of the ship and the foreground closes over the screen.
#include "stages/Scenes.h"
#include "stages/stage5/Stage5Boss.h"
#include "world/Sounds.h"

namespace veltrano {

namespace {

// The stage's own clock: the boss rises at 1567 and is switched off at 7600.

constexpr int FirstWallBlock = 2500, LastWallBlock = 2589;
constexpr int ClosingFrame = 10000;
// The backdrop slows and the ship's engine is heard as the foreground starts to close.
constexpr int ForegroundCloseFrame = 10224;

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -1, .layer2X = -2});
    s.Boss(Stage5Boss);
    s.Flags(5);

    s.HitPoints(Stage5Boss, Stage5Boss, 800);
    s.DefaultHitPoints(FirstItemSlot, LastItemSlot);
    s.HitPoints(1000, 1995, 1);
    s.HitPoints(1996, 2399, 5);
    s.HitPoints(2400, 2498, 20);
    s.DefaultHitPoints(3000, 3499);
    s.DefaultHitPoints(3500, 3999);
    s.DefaultHitPoints(4000, 4499);
    s.HitPoints(5000, 5499, 1);

    s.Place({.first = 1000, .count = 4, .x = FieldWidth, .y = -16});
    s.Place({.first = 1004, .count = 4, .x = FieldWidth, .y = FieldHeight});
    s.Place({.first = 1008, .count = 16, .x = FieldWidth, .y = -16});
    s.Place({.first = 1024, .count = 16, .x = FieldWidth, .y = FieldHeight});
    s.Place({.first = 1500, .count = 4, .x = FieldWidth * 3 / 4, .y = -16});
    s.Place({.first = 2000, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 2004, .count = 4, .x = -32, .y = 448});
    s.Place({.first = 2008, .count = 4, .x = FieldWidth, .y = 224});
    s.Place({.first = 2012, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 2016, .count = 4, .x = FieldWidth, .y = 448});
    for (int slot : {800, 801, 850, 851, 900, 901}) s.Place(slot, FieldWidth, 224);
    PlaceStage5Boss(s);
    // The closing wall: six columns of fifteen blocks waiting beyond the right edge.
    for (int column = 0; column < 6; ++column) {
        s.Place({.first = FirstWallBlock + 15 * column,
                 .count = 15,
                 .x = FieldWidth + 32 * column,
                 .y = Coord::Per(0, 32)});
    }
}

void WriteOpening(ScriptBuilder& s) {
    for (int i = 0; i < 4; ++i) {
        const int w = 8 * i;
        s.Path(1000 + i, {{-4, 4, 32 + w, 64 + w}, {-6, 0, 64 + w, 160 + w}, {4, 4, 160 + w, 4000}});
        s.DeathShot({.bullet = 11000 + i, .carrier = 1000 + i});
        s.Path(1004 + i, {{-4, -4, 32 + w, 64 + w}, {-6, 0, 64 + w, 160 + w}, {4, -4, 160 + w, 4000}});
        s.DeathShot({.bullet = 11004 + i, .carrier = 1004 + i});
    }

    // Guns from the right along the top, and from the left along the bottom.
    for (int j = 0; j < 4; ++j) {
        const int a = 64 * j;
        const int right = 2000 + j, left = 2004 + j;
        s.MoveDuring({.slot = right, .dx = -6, .from = 224 + a, .to = 4000});
        s.MoveDuring({.slot = left, .dx = 6, .from = 256 + a, .to = 4000});
        for (int k = 0; k < 4; ++k) {
            s.FireAimed({.bullet = 15000 + j + 4 * k,
                         .carrier = right,
                         .speed = 4,
                         .from = 0,
                         .phase = 8 * k + 8,
                         .period = 224 + a});
            s.FireAimed({.bullet = 15016 + j + 4 * k,
                         .carrier = left,
                         .speed = 4,
                         .from = 0,
                         .phase = 8 * k + 8,
                         .period = 256 + a});
            s.DeathShot({.bullet = 15032 + j + 4 * k, .carrier = right, .offset = 3 - 2 * k});
            s.DeathShot({.bullet = 15048 + j + 4 * k, .carrier = left, .offset = 3 - 2 * k});
        }
    }

    // Fliers swing down on a wide arc around the top left corner, as wide as the field is high, and
    // climb away, bursting into a ring of twenty slow shots.
    for (int k = 0; k < 4; ++k) {
        const int b = 8 * k;
        const int flier = 1500 + k;
        s.CircleDuring({.slot = flier,
                        .cx = 0,
                        .cy = -16,
                        .radius = FieldHeight,
                        .startAngle = 0,
                        .angleStep = 1,
                        .from = 512 + b,
                        .to = 576 + b});
        s.MoveDuring({.slot = flier, .dx = -4, .dy = -4, .from = 576 + b, .to = 4000});
        for (int l = 0; l < 4; ++l)
            s.FireAimed({.bullet = 11008 + k + 4 * l,
                         .carrier = flier,
                         .speed = 6,
                         .from = 100,
                         .phase = 8 * l + 8,
                         .period = 512 + b});
        for (int m = 0; m < 20; ++m)
            s.DeathShot({.bullet = 11024 + k + 4 * m, .carrier = flier, .offset = 18 * m, .speed = 2});
    }
}

// Four single guns stop in the middle of the screen in turn; each one shot down in time brings two
// files of fliers.
void WriteSingleGuns(ScriptBuilder& s) {
    // The first gun's frames; each of the others comes 64 steps after the one before.
    constexpr int Enter = 624, Stop = 640, Leave = 688;
    for (int l = 0; l < 4; ++l) {
        const int a = 64 * l;
        const int gun = 2008 + l;
        s.MoveDuring({.slot = gun, .dx = -6, .from = Enter + a, .to = Stop + a});
        s.MoveDuring({.slot = gun, .dx = -6, .from = Leave + a, .to = 6000});
        for (int m = 0; m < 8; ++m) {
            for (int b = 0; b < 3; ++b) {
                s.FireAimed({.bullet = 15064 + l + 4 * m + 32 * b,
                             .carrier = gun,
                             .offset = 15 - 15 * b,
                             .speed = m + 2,
                             .from = 0,
                             .phase = 4 * m,
                             .period = 628 + a});
            }
        }
    }
    for (int n = 1; n <= 4; ++n) {
        s.BonusCheck({.first = 2007 + n, .last = 2007 + n, .frame = 623 + 64 * n, .flag = n, .points = 2500});
        s.WhileFlag(n, [&] {
            for (int i = 0; i < 4; ++i) {
                const int from = 624 + 64 * n + 4 * i;
                s.MoveDuring({.slot = 1004 + 4 * n + i, .dx = -4, .dy = 4, .from = from, .to = 2000});
                s.MoveDuring({.slot = 1020 + 4 * n + i, .dx = -4, .dy = -4, .from = from, .to = 2000});
            }
        });
    }
}

// Pairs of guns that stop at the edges, fire aimed streams and a curtain straight down or up.
void WriteGunPairs(ScriptBuilder& s) {
    for (int l = 0; l < 4; ++l) {
        const int b = 64 * l;
        const int upper = 2012 + l, lower = 2016 + l;
        s.MoveDuring({.slot = upper, .dx = -6, .from = 944 + b, .to = 960 + b});
        s.MoveDuring({.slot = upper, .dx = -6, .from = 1008 + b, .to = 6000});
        s.MoveDuring({.slot = lower, .dx = -6, .from = 976 + b, .to = 992 + b});
        s.MoveDuring({.slot = lower, .dx = -6, .from = 1040 + b, .to = 6000});
        for (int m = 0; m < 4; ++m) {
            s.FireAimed({.bullet = 15160 + l + 4 * m,
                         .carrier = upper,
                         .speed = m + 4,
                         .from = 0,
                         .phase = 4 * m,
                         .period = 960 + b});
            s.FireAimed({.bullet = 15176 + l + 4 * m,
                         .carrier = lower,
                         .speed = m + 4,
                         .from = 0,
                         .phase = 4 * m,
                         .period = 992 + b});
            s.DeathShot({.bullet = 15192 + l + 4 * m, .carrier = upper, .speed = m + 4});
            s.DeathShot({.bullet = 15208 + l + 4 * m, .carrier = lower, .speed = m + 4});
        }
        for (int e = 0; e < 12; ++e) {
            s.FireAngled({.bullet = 15224 + l + 4 * e,
                          .carrier = upper,
                          .angle = 90,
                          .speed = 4,
                          .from = 1008 + b,
                          .phase = 8 * e,
                          .period = 96});
            s.FireAngled({.bullet = 15272 + l + 4 * e,
                          .carrier = lower,
                          .angle = -90,
                          .speed = 4,
                          .from = 1040 + b,
                          .phase = 8 * e,
                          .period = 96});
        }
    }
    const int items[6][2] = {{800, 1264}, {801, 1280}, {850, 1296}, {851, 1312}, {900, 1328}, {901, 1344}};
    for (const auto& item : items) s.ScrollWithGround(item[0], item[1]);
}

// Every foreground tile that has scrolled off the left edge is shown from then on, so the foreground
// closes over the screen column by column; the next stage starts behind it and scrolls it away.
void ShowPassedForegroundTiles() {
    for (int i = 0; i < TileCount; ++i) {
        if (Layer3TileX[i] < -79) ForegroundTileOn[i] = 1;
    }
}

// When the boss has been gone 100 steps the clock jumps to the closing run, whenever that is.
void WriteClosing(ScriptBuilder& s) {
    s.AtDeadTime(Stage5Boss, 100, [&] {
        s.SetStageFrame(ClosingFrame);
        s.SetLayerStep(LayerStep::Layer1X, -1);
        s.SetLayerStep(LayerStep::Layer2X, -2);
    });
    for (int block = FirstWallBlock; block <= LastWallBlock; ++block)
        s.MoveDuring({.slot = block, .dx = -2, .from = 10064, .to = 10160});
    // The wall vanishes and the ship flies on by itself, without firing.
    s.AtFrame(10160, [&] {
        s.SetState(FirstWallBlock, LastWallBlock, StateDestroyed);
        s.SetControl(0);
    });
    s.AtFrame(ForegroundCloseFrame, [&] { s.SetLayerStep(LayerStep::Layer2X, -8); });
    s.AtFrame(10288, [&] { s.SetLayerStep(LayerStep::Layer3X, -20); });
    s.FromFrame(10288, [&] { s.Call(ShowPassedForegroundTiles); });
}

}  // namespace

void WriteStage5(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    WriteOpening(s);
    WriteSingleGuns(s);
    WriteGunPairs(s);
    WriteStage5Boss(s, RowOf(Stage5Scene).Fight);
    WriteClosing(s);
}

// The boss's music stops the frame after it falls; the closing run is heard as the ship's engine.
void SoundStage5Close() {
    if (EnemyDeadTime[Stage5Boss] == 1) StopSound(BossMusic);
    if (StageFrame == ForegroundCloseFrame) PlaySound(SpeedSound, false);
}

}  // namespace veltrano
