// The volleys of the late bosses, checked shot by shot where they begin: for chosen bullet slots of
// each fight, the step of the first launch, its angle and its speed, with the ship parked at its
// start. A changed phase, angle or speed in a boss's cycle, or a volley that no longer comes at all,
// fails here and names the slot, whichever branch of the fight it belongs to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tests/support/StageGame.h"

using namespace veltrano;
using testdata::Pictures;
using testdata::StageGame;

namespace {

// How the fight is set up before its first step: as it comes, worn down to a quarter of its hit
// points (the branches a worn boss adds), or with chosen parts already shot away.
enum class FightSetup { Whole, WornDown, UpperPylonDown };

struct Launch {
    int Frame = -1;  // StageFrame of the step that launched it
    int Angle = 0;   // degrees, 0..359, 0 to the right and 90 down
    int Speed = 0;   // pixels a step
};

// A launched shot is followed for a few steps and its angle and speed read off its flight, from the
// second step on: a shot that starts at rest waits one step at the muzzle.
constexpr int FirstRead = 2, LastRead = 12;

// The first launch of every bullet slot from the scene's start up to `lastFrame`.
std::map<int, Launch> FirstLaunches(int scene, FightSetup setup, int lastFrame) {
    StageGame g{Pictures::Dropped};
    g.Enter(scene);
    if (setup == FightSetup::WornDown) EnemyHP[BossSlot] = EnemyHP[BossSlot] / 4;
    if (setup == FightSetup::UpperPylonDown) {
        EnemyHP[2424] = 0;
        EnemyState[2424] = StateDestroyed;
    }
    struct Followed {
        int Age = 0, X = 0, Y = 0;
    };
    std::map<int, Launch> first;
    std::map<int, Followed> following;
    std::vector<unsigned char> flying(LastBulletSlot + 1, 0);
    while (StageFrame <= lastFrame + LastRead) {
        PlayerUntouchable = 1;
        const int step = StageFrame;
        g.Game.Frame();
        for (int slot = FirstBulletSlot; slot <= LastBulletSlot; ++slot) {
            // Every slot starts active but parked off the field: a launch is a slot that comes into it.
            const bool now = EnemyState[slot] == StateActive && EnemyX[slot] >= -16 && EnemyX[slot] <= 640 &&
                             EnemyY[slot] >= -16 && EnemyY[slot] <= 480;
            if (now && !flying[slot] && step <= lastFrame && !first.count(slot)) {
                first[slot] = {step, -1, -1};
                following[slot] = {};
            }
            flying[slot] = now;
        }
        for (auto it = following.begin(); it != following.end();) {
            const int slot = it->first;
            Followed& f = it->second;
            if (!flying[slot]) {
                it = following.erase(it);  // left the field or shot down before it could be read
                continue;
            }
            if (++f.Age == FirstRead) {
                f.X = EnemyX[slot];
                f.Y = EnemyY[slot];
            }
            if (f.Age < LastRead) {
                ++it;
                continue;
            }
            const double dx = EnemyX[slot] - f.X, dy = EnemyY[slot] - f.Y;
            const double degrees = std::atan2(dy, dx) * 180.0 / 3.14159265358979323846;
            first[slot].Angle = static_cast<int>(std::lround(degrees < 0 ? degrees + 360 : degrees)) % 360;
            first[slot].Speed = static_cast<int>(std::lround(std::hypot(dx, dy) / (LastRead - FirstRead)));
            it = following.erase(it);
        }
    }
    return first;
}

}  // namespace

// One row per volley: the scene, how the fight was set up, a bullet slot of the volley and its first
// launch. Aimed shots are aimed at the ship parked at its start.
TEST(StageLateBossFire, EachVolleyOfTheLateBossesStartsOnItsStepAtItsAngleAndSpeed) {
    struct Row {
        int Scene;
        FightSetup Setup;
        int Bullet;
        Launch Expected;
        const char* Volley;
    };
    constexpr FightSetup Whole = FightSetup::Whole, Worn = FightSetup::WornDown,
                         NoUpperPylon = FightSetup::UpperPylonDown;
    // clang-format off
    const Row rows[] = {
        {BossRush6Scene, Whole,        17101, {   8, 114,  3}, "the boss's slow turning stream"},
        {BossRush6Scene, Whole,        16496, {  16,   0,  4}, "the upper pylon's first ring"},
        {BossRush6Scene, Whole,        16592, {  64,   7,  4}, "the lower pylon's ring, turned and half a beat behind"},
        {BossRush6Scene, Whole,        11700, { 480, 148,  6}, "a plate's aimed fan of seven, first shot"},
        {BossRush6Scene, Whole,        11706, { 480, 208,  6}, "a plate's aimed fan of seven, last shot"},
        {BossRush6Scene, Whole,        16800, { 800, 146,  3}, "an arm's slow fan"},
        {BossRush6Scene, Whole,        16832, { 816, 235,  5}, "a pair dropped sideways by the arm's shot"},
        {BossRush6Scene, Whole,        17024, {1200, 185,  8}, "the boss's fast aimed stream"},
        {BossRush6Scene, Worn,         17500, {  24, 168,  7}, "the worn boss's aimed triples"},
        {BossRush6Scene, Worn,         12100, {  40,   0,  4}, "the worn boss's rings of sixteen"},
        {BossRush6Scene, Worn,         12101, {  40,  22,  4}, "the worn boss's rings of sixteen, second shot"},
        {BossRush6Scene, NoUpperPylon, 17045, {  32, 158, 10}, "the fans of six without the upper pylon"},
        {BossRush6Scene, NoUpperPylon, 17040, { 256, 163, 10}, "the fans of five without the upper pylon"},

        {BossRush7Scene, Whole,        17700, {   4, 180,  4}, "the boss's second stream"},
        {BossRush7Scene, Whole,        16101, {   8, 197,  3}, "the boss's slow turning stream"},
        {BossRush7Scene, Whole,        15737, {  18, 180,  8}, "a plate's straight shot"},
        {BossRush7Scene, Whole,        15800, { 200,  90,  6}, "the upper pod's sweep"},
        {BossRush7Scene, Whole,        15854, { 248, 270,  6}, "the lower pod's sweep, a beat later"},
        {BossRush7Scene, Whole,        16016, { 500, 170,  4}, "the first round of aimed triples"},
        {BossRush7Scene, Whole,        16700, { 600, 154,  5}, "the pods' aimed fans of three"},
        {BossRush7Scene, Whole,        16920, { 700, 170,  4}, "the second round of aimed triples"},
        {BossRush7Scene, Whole,        15908, {1000, 355,  8}, "the pods' second, faster sweep"},
        {BossRush7Scene, Whole,        16040, {1400, 210,  4}, "a slow carrier from the upper pod"},
        {BossRush7Scene, Whole,        16044, {1440, 153,  3}, "the carrier's ring of ten"},
        {BossRush7Scene, Worn,         12200, {  20, 162,  6}, "the worn pods' aimed fans"},
        {BossRush7Scene, Worn,         17300, {  40,   0,  4}, "the worn boss's rings of sixteen"},

        {BossRush8Scene, Whole,        16660, {   0, 159,  6}, "the top row's aimed triple, straight at the ship"},
        {BossRush8Scene, Whole,        16661, {   0, 179,  6}, "the top row's aimed triple, 20 degrees below"},
        {BossRush8Scene, Whole,        16662, {   0, 138,  6}, "the top row's aimed triple, 20 degrees above"},
        {BossRush8Scene, Whole,        16663, {  10, 157,  6}, "the next block's triple"},
        {BossRush8Scene, Whole,        12314, { 100, 195,  5}, "the bottom row's first sweep"},
        {BossRush8Scene, Whole,        12325, { 144, 195,  5}, "the first sweep from the row's left end"},
        {BossRush8Scene, Whole,        12386, { 350, 255,  5}, "the second sweep, leaning the other way"},
        {BossRush8Scene, Whole,        16960, { 220, 139, 11}, "the columns' fast triples, from the top"},
        {BossRush8Scene, Whole,        16996, { 470, 221, 11}, "the columns' fast triples, from the bottom"},
        {BossRush8Scene, Worn,         17068, {  20, 221, 11}, "the worn frame's extra burst"},
        {BossRush8Scene, Worn,         12602, { 230, 250,  5}, "the worn frame's extra sweep"},

        {BossRush9Scene, Whole,        15000, { 288,   0,  8}, "the first pod's turning stream"},
        {BossRush9Scene, Whole,        15036, { 288,  90,  8}, "the second pod's stream, a quarter on"},
        {BossRush9Scene, Whole,        15072, { 288, 180,  8}, "the third pod's stream"},
        {BossRush9Scene, Whole,        14500, { 312, 222,  6}, "the boss's aimed triple"},
        {BossRush9Scene, Whole,        14501, { 312, 281,  6}, "the boss's aimed triple, 60 degrees on"},
        {BossRush9Scene, Whole,        14502, { 312, 162,  6}, "the boss's aimed triple, 60 degrees back"},
    };
    // clang-format on
    std::map<std::pair<int, FightSetup>, int> lastFrame;
    for (const Row& r : rows) {
        int& last = lastFrame[{r.Scene, r.Setup}];
        last = std::max(last, r.Expected.Frame);
    }
    for (const auto& [fight, last] : lastFrame) {
        const std::map<int, Launch> launches = FirstLaunches(fight.first, fight.second, last);
        for (const Row& r : rows) {
            if (r.Scene != fight.first || r.Setup != fight.second) continue;
            const auto found = launches.find(r.Bullet);
            ASSERT_NE(found, launches.end()) << r.Volley << " (bullet " << r.Bullet << ") never came";
            const Launch& l = found->second;
            EXPECT_EQ(l.Frame, r.Expected.Frame) << r.Volley << " (bullet " << r.Bullet << ")";
            EXPECT_EQ(l.Angle, r.Expected.Angle) << r.Volley << " (bullet " << r.Bullet << ")";
            EXPECT_EQ(l.Speed, r.Expected.Speed) << r.Volley << " (bullet " << r.Bullet << ")";
        }
    }
}
