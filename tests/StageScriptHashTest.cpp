// Every scene's script, as built, against a fingerprint taken when it was last meant to change. The
// golden replays play the stages one way; this also holds the scenes and branches no replay reaches,
// so rewriting how a script is written (not what it says) can be checked to change nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "stages/Scenes.h"
#include "stages/Stage.h"

using namespace veltrano;

namespace {

struct ScriptFingerprint {
    uint64_t Value = 14695981039346656037ull;
    void Add(int64_t v) {
        for (int i = 0; i < 8; ++i, v >>= 8) {
            Value ^= static_cast<uint64_t>(v & 0xff);
            Value *= 1099511628211ull;
        }
    }
    void Add(const Arg& a) {
        for (int64_t v :
             {int64_t(a.Kind), int64_t(a.A), int64_t(a.B), int64_t(a.C), int64_t(a.D), int64_t(a.E)})
            Add(v);
    }
    void Add(const Coord& c) {
        for (int64_t v :
             {int64_t(c.How), int64_t(c.Base), int64_t(c.Step), int64_t(c.Range), int64_t(c.Times)})
            Add(v);
    }
};

// Everything a script holds but the addresses of its hooks (which the build decides): whether each
// hook is there, and in which form, stands for them.
uint64_t Fingerprint(const SceneScript& s) {
    ScriptFingerprint h;
    for (char c : s.Name) h.Add(c);
    h.Add(int64_t(s.Reset));
    h.Add(s.LaysLayers);
    for (int step : s.LayerSteps) h.Add(step);
    for (const HitPointRange& r : s.HitPoints)
        for (int v : {r.First, r.Last, r.HP}) h.Add(v);
    for (const Placement& p : s.Placements) {
        h.Add(p.First);
        h.Add(p.Count);
        h.Add(p.X);
        h.Add(p.Y);
    }
    for (int v : {s.BossSlot, s.BonusFlagCount, s.StartFrame}) h.Add(v);
    h.Add(s.InitHook != nullptr);
    for (const Statement& st : s.Step) {
        for (int64_t v :
             {int64_t(st.Code), int64_t(st.DynamicCount), int64_t(st.DynamicFirst), int64_t(st.Skip)})
            h.Add(v);
        for (int v : st.Args) h.Add(v);
    }
    for (const DynamicArg& d : s.Dynamic) {
        h.Add(d.Position);
        h.Add(d.Value);
    }
    for (const ScriptHook& hook : s.Hooks)
        h.Add((hook.Plain != nullptr) + 2 * (hook.WithArgument != nullptr));
    for (const std::string& e : s.Errors)
        for (char c : e) h.Add(c);
    return h.Value;
}

// Taken from the scripts as they were written before their calls named their arguments.
const std::map<int, uint64_t> Recorded = {
    {-2, 0x6beb7582aeca20caull},  // score list
    {-1, 0x65898dde4fbd30e9ull},  // key configuration
    {0, 0xc585a65b283b41dcull},   // ship select
    {1, 0x7b70bb1ccac5e2f1ull},   // title
    {2, 0x884e2945d72928b7ull},   // stage 1
    {3, 0x04220f73b2af5342ull},   // stage 2
    {4, 0x76da6836578c788aull},   // stage 3
    {5, 0x7ceddff5101e7a36ull},   // stage 4
    {6, 0xac3d0810ff88b869ull},   // stage 5
    {7, 0xd976bc031e625956ull},   // stage 6
    {8, 0xe14fed6399d1bfe2ull},   // stage 7
    {9, 0x07004376b9b14ccaull},   // stage 8
    {10, 0x3bd077382299db30ull},  // stage 9
    {11, 0x278427c96bbd0cb2ull},  // stage 10
    {12, 0xb405c1013fd2efa5ull},  // challenge battle
    {13, 0xa9872d29dbf45a03ull},  // challenge endurance
    {14, 0xbb147484d43758dbull},  // boss of stage 1
    {15, 0xab436130bd5bc9baull},  // boss of stage 2
    {16, 0x27c07797784fe2f3ull},  // boss of stage 3
    {17, 0x1e53c8dbfda24b28ull},  // boss of stage 4
    {18, 0xf005689034bfb61aull},  // boss of stage 5
    {19, 0xe870f03bdef73313ull},  // boss of stage 6
    {20, 0x19f8b90743c51042ull},  // boss of stage 7
    {21, 0x6cd7b0520628cc51ull},  // boss of stage 8
    {22, 0x32ddee1248cce0a8ull},  // boss of stage 9
    {23, 0x74b79c05568940baull},  // boss of stage 10
    {24, 0x78fb5d2201f43bcdull},  // staff roll
    {25, 0x8ab6ea51bf4bd0d7ull},  // challenge message
};

}  // namespace

TEST(StageScriptHash, EverySceneScriptIsTheOneRecorded) {
    for (int scene = FirstScene; scene <= LastScene; ++scene) {
        const SceneScript* script = SceneScriptOf(scene);
        ASSERT_NE(script, nullptr) << scene;
        const uint64_t hash = Fingerprint(*script);
        if (std::getenv("VELTRANO_PRINT_SCRIPT_HASHES"))
            std::printf("    {%d, 0x%016llxull},  // %s\n", scene, static_cast<unsigned long long>(hash),
                        script->Name.c_str());
        const auto recorded = Recorded.find(scene);
        if (recorded == Recorded.end())
            ADD_FAILURE() << script->Name << " has no recorded fingerprint";
        else
            EXPECT_EQ(hash, recorded->second) << script->Name << " is not the script recorded";
    }
}
