// Stage 5's boss: it rises from below with two shot-proof pods circling it and fires a fixed cycle
// of 1600 steps; and the boss-only scene that holds it.
#include "stages/stage5/Stage5Boss.h"

#include "stages/Scenes.h"

namespace veltrano {

namespace {

constexpr int UpperPod = 5000, LowerPod = 5001;
constexpr int Cycle = 1600;

// One volley of the cycle: for each member m < 30, every lane launches bullet First + m from its
// carrier at Angle + PerMember x m degrees (for aimed volleys, degrees off the ship's direction),
// at phase Phase + PhasePerMember x m.
struct Lane {
    int First = 0, Carrier = 0, Angle = 0, PerMember = 0;
};
struct Volley {
    bool Aimed;
    Lane Lanes[3];
    int Phase, PhasePerMember, Speed;
};

// clang-format off
constexpr Volley Volleys[] = {
    // Spinning triple spirals from the pods, one turning each way.
    {false, {{15424, UpperPod, 180, 12}, {15454, UpperPod, 60, 12}, {15484, UpperPod, 300, 12}}, 296, 4, 6},
    {false, {{15514, LowerPod, 180, -12}, {15544, LowerPod, 60, -12}, {15574, LowerPod, 300, -12}}, 296, 4, 6},
    {false, {{15604, LowerPod, 120, 12}, {15634, LowerPod, 0, 12}, {15664, LowerPod, 240, 12}}, 416, 4, 6},
    {false, {{15694, UpperPod, 120, -12}, {15724, UpperPod, 0, -12}, {15754, UpperPod, 240, -12}}, 416, 4, 6},
    // Full rings from both pods, the first one turned towards the ship.
    {true, {{15784, UpperPod, 0, 12}, {15844, LowerPod, 0, 12}}, 560, 0, 6},
    {false, {{15814, UpperPod, 0, 12}, {15874, LowerPod, 0, 12}}, 608, 0, 8},
    // Scattered triples.
    {false, {{15904, UpperPod, 0, 66}, {15934, UpperPod, 10, 66}, {15964, UpperPod, -10, 66}}, 656, 8, 8},
    {false, {{15994, LowerPod, 0, 77}, {16024, LowerPod, 5, 77}, {16054, LowerPod, -5, 77}}, 656, 8, 8},
    {false, {{16084, UpperPod, 0, 88}, {16114, UpperPod, 12, 88}, {16144, UpperPod, -12, 88}}, 928, 4, 8},
    {false, {{16174, LowerPod, 0, 99}, {16204, LowerPod, 6, 99}, {16234, LowerPod, -6, 99}}, 928, 4, 8},
    // The boss sweeps two arms across the left half, while the pods fire streams at the ship.
    {false, {{16264, Stage5Boss, 210, 12}, {16294, Stage5Boss, 150, -12}}, 1064, 4, 6},
    {false, {{16324, Stage5Boss, 150, -12}, {16354, Stage5Boss, 210, 12}}, 1064, 4, 8},
    {false, {{16384, Stage5Boss, 225, 12}, {16414, Stage5Boss, 135, -12}}, 1256, 4, 6},
    {false, {{16444, Stage5Boss, 135, -12}, {16474, Stage5Boss, 225, 12}}, 1256, 4, 8},
    {true, {{16504, UpperPod, 0, 0}, {16534, LowerPod, 0, 0}}, 1064, 4, 6},
    {true, {{16564, UpperPod, 0, 0}, {16594, LowerPod, 0, 0}}, 1256, 4, 8},
    // Four sweeps across the ship's direction to close the cycle.
    {true, {{16624, UpperPod, -150, 10}}, 1448, 2, 8},
    {true, {{16654, Stage5Boss, 150, -10}}, 1480, 2, 8},
    {true, {{16684, Stage5Boss, -150, 10}}, 1512, 2, 8},
    {true, {{16714, LowerPod, 150, -10}}, 1544, 2, 8},
};
// clang-format on

void WriteVolley(ScriptBuilder& s, const Volley& v, int from) {
    for (int m = 0; m < 30; ++m) {
        const int phase = v.Phase + v.PhasePerMember * m;
        // The last two shots of the closing sweep would come after the cycle's end: they never fire.
        if (phase >= Cycle) continue;
        for (const Lane& lane : v.Lanes) {
            if (lane.First == 0) continue;
            const int angle = lane.Angle + lane.PerMember * m;
            if (v.Aimed) {
                s.FireAimed({.bullet = lane.First + m,
                             .carrier = lane.Carrier,
                             .offset = angle,
                             .speed = v.Speed,
                             .from = from,
                             .phase = phase,
                             .period = Cycle});
            } else {
                s.FireAngled({.bullet = lane.First + m,
                              .carrier = lane.Carrier,
                              .angle = angle,
                              .speed = v.Speed,
                              .from = from,
                              .phase = phase,
                              .period = Cycle});
            }
        }
    }
}

// The opening of the cycle: every 64 steps the pods fire fans of three and four spread 20 degrees
// apart, and then the boss fires four crossing fans of three that it turns a little between shots.
void WriteFans(ScriptBuilder& s, int from) {
    struct PodFan {
        int First, Carrier, Shots, Offset, Phase, Speed;
    };
    const PodFan podFans[4] = {{15320, UpperPod, 3, 20, 8, 6},
                               {15332, LowerPod, 3, 20, 40, 6},
                               {15344, UpperPod, 4, 30, 16, 8},
                               {15360, LowerPod, 4, 30, 48, 8}};
    for (const PodFan& fan : podFans) {
        for (int l = 0; l < 4; ++l) {
            for (int m = 0; m < fan.Shots; ++m) {
                s.FireAimed({.bullet = fan.First + l + 4 * m,
                             .carrier = fan.Carrier,
                             .offset = fan.Offset - 20 * m,
                             .speed = fan.Speed,
                             .from = from,
                             .phase = 64 * l + fan.Phase,
                             .period = Cycle});
            }
        }
    }
    struct BossFan {
        int First, Offset, OffsetPerL, Phase;
    };
    const BossFan bossFans[4] = {
        {15376, 24, 4, 256}, {15388, 36, -4, 272}, {15400, 14, 4, 288}, {15412, 46, -4, 288}};
    for (const BossFan& fan : bossFans) {
        for (int l = 0; l < 4; ++l) {
            for (int e = 0; e < 3; ++e) {
                s.FireAimed({.bullet = fan.First + l + 4 * e,
                             .carrier = Stage5Boss,
                             .offset = fan.OffsetPerL * l - 30 * e + fan.Offset,
                             .speed = l + 6,
                             .from = from,
                             .phase = 2 * l + fan.Phase,
                             .period = Cycle});
            }
        }
    }
}

}  // namespace

void PlaceStage5Boss(ScriptBuilder& s) {
    s.Place(Stage5Boss, 544, FieldHeight);
    s.Place(UpperPod, 800, 800);
    s.Place(LowerPod, 800, 800);
}

void WriteStage5Boss(ScriptBuilder& s, const BossFight& fight) {
    const int fire = fight.At(1600);
    // The scenery stops for the fight.
    s.AtFrame(fire, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer2X, 0);
    });
    s.FromFrame(fire, [&] { s.HudBossDigits(); });
    s.MoveDuring({.slot = Stage5Boss, .dy = -8, .from = fight.At(1567), .to = fire});
    // The pods circle wherever the boss is on this step, one each way, until the time-out.
    const Arg bossX = Arg::XOf(Stage5Boss, 0), bossY = Arg::YOf(Stage5Boss, 0);
    s.CircleDuring({.slot = UpperPod,
                    .cx = bossX,
                    .cy = bossY,
                    .radius = 64,
                    .startAngle = 0,
                    .angleStep = 7,
                    .from = fight.At(1567),
                    .to = fight.TimeOut});
    s.CircleDuring({.slot = LowerPod,
                    .cx = bossX,
                    .cy = bossY,
                    .radius = 64,
                    .startAngle = 0,
                    .angleStep = -7,
                    .from = fight.At(1567),
                    .to = fight.TimeOut});

    WriteFans(s, fire);
    for (const Volley& v : Volleys) WriteVolley(s, v, fire);

    s.AtFrame(fight.TimeOut, [&] { s.SetState(Stage5Boss, Stage5Boss, StateDestroyed); });
    s.WhileAllDestroyed(Stage5Boss, Stage5Boss, [&] {
        s.SetState(UpperPod, LowerPod, StateDestroyed);
        s.ClearEnemyBullets();
    });
}

// Stage 5's boss on its own, with 300 hit points. The fight runs 1600 steps earlier than in the
// stage, one whole cycle, so the boss has risen and opens fire at 0.
void WriteBossRush5(ScriptBuilder& s) {
    WriteBossOnlyOpening(s, Stage5Boss);
    s.HitPoints(Stage5Boss, Stage5Boss, 300);
    PlaceStage5Boss(s);
    s.HudRows();
    WriteStage5Boss(s, RowOf(BossRush5Scene).Fight);
}

}  // namespace veltrano
