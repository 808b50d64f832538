// Which 80-by-80 cell of the background sheet each scene lays at each tile index of its three layers,
// and whether the sheet's key colour shows through. The background passes draw by these rules, and the
// picture generator and its tests read the same rules, so a picture is always checked against the
// tiles the game really lays. One row per group of scenes that share a backdrop.
#pragma once

#include <climits>
#include <cstddef>
#include <iterator>

#include "world/World.h"

namespace veltrano {

constexpr int TileSize = 80;

// The top-left corner of a cell of BackgroundSheet; a negative X leaves the tile undrawn.
struct TileCell {
    int X = -1, Y = -1;
    constexpr bool Drawn() const { return X >= 0; }
    constexpr bool operator==(const TileCell&) const = default;
};

constexpr TileCell NoTile{};

enum class Keying : bool { Opaque = false, Keyed = true };

enum class TilePattern {
    NotDrawn,
    ByRemainder,       // tile i by i mod Modulus
    BySquare,          // tile i by the parity of its column (i div 8) against its row (i mod 8)
    ByForegroundFlag,  // the tiles whose ForegroundTileOn is exactly 1
};

// The tiles whose index i has i mod Modulus in From..To.
struct RemainderBand {
    int From = 1, To = 0;  // an empty band by default
    TileCell Cell;
};

struct LayerRule {
    TilePattern Pattern = TilePattern::NotDrawn;
    Keying Keys = Keying::Opaque;
    int Modulus = 1;
    RemainderBand Bands[2];
    TileCell Otherwise;  // by remainder: tiles outside both bands; by flag: the lit tiles
    TileCell EvenSquare, OddSquare;
};

namespace tilerules {

using enum Keying;

constexpr LayerRule NotDrawn{};

constexpr LayerRule ByRemainder(int modulus, RemainderBand first, RemainderBand second, TileCell otherwise,
                                Keying keys) {
    LayerRule rule;
    rule.Pattern = TilePattern::ByRemainder;
    rule.Keys = keys;
    rule.Modulus = modulus;
    rule.Bands[0] = first;
    rule.Bands[1] = second;
    rule.Otherwise = otherwise;
    return rule;
}

constexpr LayerRule ByRemainder(int modulus, RemainderBand band, TileCell otherwise, Keying keys) {
    return ByRemainder(modulus, band, RemainderBand{}, otherwise, keys);
}

constexpr LayerRule EveryTile(TileCell cell, Keying keys) {
    return ByRemainder(1, RemainderBand{}, cell, keys);
}

constexpr LayerRule BySquare(TileCell even, TileCell odd, Keying keys) {
    LayerRule rule;
    rule.Pattern = TilePattern::BySquare;
    rule.Keys = keys;
    rule.EvenSquare = even;
    rule.OddSquare = odd;
    return rule;
}

constexpr LayerRule ByForegroundFlag(TileCell cell, Keying keys) {
    LayerRule rule;
    rule.Pattern = TilePattern::ByForegroundFlag;
    rule.Keys = keys;
    rule.Otherwise = cell;
    return rule;
}

}  // namespace tilerules

constexpr int NoScene = INT_MIN;

struct SceneList {
    int Scenes[4] = {NoScene, NoScene, NoScene, NoScene};
    constexpr bool Holds(int scene) const {
        for (int s : Scenes)
            if (s == scene) return true;
        return false;
    }
};

struct SceneBackdrop {
    SceneList Scenes;
    LayerRule Layer1, Layer2;
};

struct SceneForeground {
    SceneList Scenes;
    LayerRule Layer3;
    int HiddenFromFrame = INT_MAX;  // the layer is gone once StageFrame reaches this
};

// The staff roll borrows the backdrop of another scene, chosen by StaffRollBackdrop.
struct BorrowedBackdrop {
    int AsScene;
    bool Layer1, Layer2;
};

namespace tilerules {

// clang-format off
// Layers 1 and 2, drawn before anything else in the frame.
inline constexpr SceneBackdrop SceneBackdrops[] = {
    {{-2, -1, 0, 1}, EveryTile({240, 80}, Opaque), NotDrawn},
    {{2, 14},
     ByRemainder(3, {0, 0, {160, 0}}, {0, 0}, Opaque),
     ByRemainder(5, {0, 0, {80, 0}}, NoTile, Keyed)},
    {{3, 15}, BySquare({0, 80}, NoTile, Opaque), BySquare(NoTile, {80, 80}, Opaque)},
    {{4, 16},
     ByRemainder(7, {0, 0, {160, 160}}, {3, 3, {160, 160}}, {0, 160}, Keyed),
     ByRemainder(5, {1, 1, {80, 160}}, NoTile, Keyed)},
    {{5, 9, 17, 21},
     BySquare({0, 240}, {80, 240}, Keyed),
     ByRemainder(40, {0, 7, {160, 240}}, NoTile, Keyed)},
    {{6, 18}, NotDrawn, EveryTile({160, 240}, Keyed)},
    {{7, 19},
     ByRemainder(3, {0, 0, {160, 0}}, {0, 0}, Opaque),
     ByRemainder(40, {0, 15, {0, 320}}, {16, 31, {80, 320}}, NoTile, Keyed)},
    {{8, 20},
     ByRemainder(2, {1, 1, {80, 80}}, {0, 80}, Opaque),
     ByRemainder(13, {0, 0, {80, 80}}, {3, 3, {0, 80}}, NoTile, Opaque)},
    {{10, 12, 13, 22}, BySquare({160, 320}, {240, 320}, Keyed), BySquare({80, 400}, {0, 400}, Keyed)},
    {{11, 23}, ByRemainder(40, {2, 2, {160, 400}}, {5, 5, {160, 400}}, {240, 400}, Keyed), NotDrawn},
    {{25}, EveryTile({240, 0}, Opaque), NotDrawn},
};

inline constexpr BorrowedBackdrop StaffRollBackdrops[] = {
    {11, true, false},  // 0
    {10, true, true},   // 1: scene 10's backdrop without its foreground
    {7, true, true},    // 2
    {6, false, true},   // 3
    {5, true, true},    // 4
};

// Layer 3, drawn after the world step above most sprites.
inline constexpr SceneForeground SceneForegrounds[] = {
    {{3}, ByRemainder(TileCount, {0, 8, {160, 80}}, NoTile, Keyed)},  // tiles 0 to 8 only
    {{5}, ByRemainder(8, {7, 7, {240, 240}}, NoTile, Keyed)},         // the bottom row of the grid
    {{6, 7}, ByForegroundFlag({240, 80}, Opaque)},
    {{8}, ByRemainder(23, {0, 0, {0, 80}}, {5, 5, {80, 80}}, NoTile, Opaque), 4958},
    {{10, 22}, BySquare({80, 400}, {0, 400}, Keyed)},
};
// clang-format on

}  // namespace tilerules

// The 80-by-80 cell of BackgroundSheet that closes the screen after a boss, one per lit panel.
constexpr TileCell CoverPanelTile{240, 0};

constexpr bool OnEvenSquare(int tile) {
    return (tile / 8) % 2 == tile % 2;
}

// The cell that `rule` lays at tile index `tile`; a flagged layer lays its cell where `lit` is true.
constexpr TileCell CellOfTile(const LayerRule& rule, int tile, bool lit) {
    switch (rule.Pattern) {
        case TilePattern::NotDrawn:
            return NoTile;
        case TilePattern::ByRemainder: {
            const int remainder = tile % rule.Modulus;
            for (const RemainderBand& band : rule.Bands)
                if (remainder >= band.From && remainder <= band.To) return band.Cell;
            return rule.Otherwise;
        }
        case TilePattern::BySquare:
            return OnEvenSquare(tile) ? rule.EvenSquare : rule.OddSquare;
        case TilePattern::ByForegroundFlag:
            return lit ? rule.Otherwise : NoTile;
    }
    return NoTile;
}

template <typename Row, size_t N>
constexpr const Row* FindSceneRow(const Row (&rows)[N], int scene) {
    for (const Row& row : rows)
        if (row.Scenes.Holds(scene)) return &row;
    return nullptr;
}

// The rule of layer 1, 2 or 3 of `scene`, as the frame's passes follow it; a layer the scene does not
// draw has the NotDrawn rule. The staff roll (whose backdrop changes while it runs) answers for
// `staffRollBackdrop`. Scene 8's foreground, which goes at a fixed frame, answers for before then.
constexpr LayerRule SceneLayerRule(int scene, int layer, int staffRollBackdrop = 0) {
    if (layer == 3) {
        const SceneForeground* foreground = FindSceneRow(tilerules::SceneForegrounds, scene);
        return foreground != nullptr ? foreground->Layer3 : tilerules::NotDrawn;
    }
    bool drawn = true;
    if (scene == StaffRollScene) {
        const unsigned choice = static_cast<unsigned>(staffRollBackdrop);
        if (choice >= std::size(tilerules::StaffRollBackdrops)) return tilerules::NotDrawn;
        const BorrowedBackdrop& borrowed = tilerules::StaffRollBackdrops[choice];
        scene = borrowed.AsScene;
        drawn = layer == 1 ? borrowed.Layer1 : borrowed.Layer2;
    }
    const SceneBackdrop* backdrop = FindSceneRow(tilerules::SceneBackdrops, scene);
    if (backdrop == nullptr || !drawn) return tilerules::NotDrawn;
    return layer == 1 ? backdrop->Layer1 : layer == 2 ? backdrop->Layer2 : tilerules::NotDrawn;
}

constexpr int StaffRollBackdropCount = static_cast<int>(std::size(tilerules::StaffRollBackdrops));

// Calls `visit(scene, layer, rule)` for every layer that every scene draws, the staff roll once for
// each of its backdrops.
template <typename Visit>
constexpr void ForEachSceneLayer(Visit visit) {
    for (int scene = FirstScene; scene <= LastScene; ++scene)
        for (int backdrop = 0; backdrop < (scene == StaffRollScene ? StaffRollBackdropCount : 1); ++backdrop)
            for (int layer = 1; layer <= 3; ++layer) {
                const LayerRule rule = SceneLayerRule(scene, layer, backdrop);
                if (rule.Pattern != TilePattern::NotDrawn) visit(scene, layer, rule);
            }
}

}  // namespace veltrano
