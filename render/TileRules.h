// Which 80-by-80 cell of the background sheet each tile set lays at each tile index of its three layers,
// and whether the sheet's key colour shows through. The background passes draw by these rules, and the
// picture generator and its tests read the same rules, so a picture is always checked against the
// tiles the game really lays. One row per tile set; the scene table names each scene's set.
#pragma once

#include <climits>
#include <cstddef>
#include <iterator>

#include "world/TileSets.h"
#include "world/World.h"

namespace veltrano {

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

// Layers 1 and 2, drawn before anything else in the frame.
struct Backdrop {
    LayerRule Layer1, Layer2;
};

// Layer 3, drawn after the world step above most sprites.
struct Foreground {
    LayerRule Layer3;
    int HiddenFromFrame = INT_MAX;  // the layer is gone once StageFrame reaches this
};

struct TileSetRules {
    TileSet Set;
    Backdrop Back;
    Foreground Front;
};

// The staff roll borrows the backdrop of another tile set, chosen by StaffRollBackdrop.
struct BorrowedBackdrop {
    TileSet From;
    bool Layer1, Layer2;
};

namespace tilerules {

// clang-format off
namespace backdrops {
constexpr Backdrop None{};
constexpr Backdrop Menus{EveryTile({240, 80}, Opaque), NotDrawn};
constexpr Backdrop Stage1{ByRemainder(3, {0, 0, {160, 0}}, {0, 0}, Opaque),
                          ByRemainder(5, {0, 0, {80, 0}}, NoTile, Keyed)};
constexpr Backdrop Stage2{BySquare({0, 80}, NoTile, Opaque), BySquare(NoTile, {80, 80}, Opaque)};
constexpr Backdrop Stage3{ByRemainder(7, {0, 0, {160, 160}}, {3, 3, {160, 160}}, {0, 160}, Keyed),
                          ByRemainder(5, {1, 1, {80, 160}}, NoTile, Keyed)};
constexpr Backdrop Stage4{BySquare({0, 240}, {80, 240}, Keyed), ByRemainder(40, {0, 7, {160, 240}}, NoTile, Keyed)};
constexpr Backdrop Stage5{NotDrawn, EveryTile({160, 240}, Keyed)};
constexpr Backdrop Stage6{ByRemainder(3, {0, 0, {160, 0}}, {0, 0}, Opaque),
                          ByRemainder(40, {0, 15, {0, 320}}, {16, 31, {80, 320}}, NoTile, Keyed)};
constexpr Backdrop Stage7{ByRemainder(2, {1, 1, {80, 80}}, {0, 80}, Opaque),
                          ByRemainder(13, {0, 0, {80, 80}}, {3, 3, {0, 80}}, NoTile, Opaque)};
constexpr Backdrop Stage9{BySquare({160, 320}, {240, 320}, Keyed), BySquare({80, 400}, {0, 400}, Keyed)};
constexpr Backdrop Stage10{ByRemainder(40, {2, 2, {160, 400}}, {5, 5, {160, 400}}, {240, 400}, Keyed), NotDrawn};
constexpr Backdrop ChallengeMessage{EveryTile({240, 0}, Opaque), NotDrawn};
}  // namespace backdrops

namespace foregrounds {
constexpr Foreground None{};
constexpr Foreground Stage2{ByRemainder(TileCount, {0, 8, {160, 80}}, NoTile, Keyed)};  // tiles 0 to 8 only
constexpr Foreground Stage4{ByRemainder(8, {7, 7, {240, 240}}, NoTile, Keyed)};         // the bottom row of the grid
constexpr Foreground Flagged{ByForegroundFlag({240, 80}, Opaque)};
constexpr Foreground Stage7{ByRemainder(23, {0, 0, {0, 80}}, {5, 5, {80, 80}}, NoTile, Opaque), 4958};
constexpr Foreground Stage9{BySquare({80, 400}, {0, 400}, Keyed)};
}  // namespace foregrounds

// One row per tile set, in the order of TileSet.
inline constexpr TileSetRules TileSets[] = {
    {TileSet::None,             backdrops::None,             foregrounds::None},
    {TileSet::Menus,            backdrops::Menus,            foregrounds::None},
    {TileSet::Stage1,           backdrops::Stage1,           foregrounds::None},
    {TileSet::Stage2,           backdrops::Stage2,           foregrounds::Stage2},
    {TileSet::Stage2Backdrop,   backdrops::Stage2,           foregrounds::None},
    {TileSet::Stage3,           backdrops::Stage3,           foregrounds::None},
    {TileSet::Stage4,           backdrops::Stage4,           foregrounds::Stage4},
    {TileSet::Stage4Backdrop,   backdrops::Stage4,           foregrounds::None},
    {TileSet::Stage5,           backdrops::Stage5,           foregrounds::Flagged},
    {TileSet::Stage5Backdrop,   backdrops::Stage5,           foregrounds::None},
    {TileSet::Stage6,           backdrops::Stage6,           foregrounds::Flagged},
    {TileSet::Stage6Backdrop,   backdrops::Stage6,           foregrounds::None},
    {TileSet::Stage7,           backdrops::Stage7,           foregrounds::Stage7},
    {TileSet::Stage7Backdrop,   backdrops::Stage7,           foregrounds::None},
    {TileSet::Stage9,           backdrops::Stage9,           foregrounds::Stage9},
    {TileSet::Stage9Backdrop,   backdrops::Stage9,           foregrounds::None},
    {TileSet::Stage10,          backdrops::Stage10,          foregrounds::None},
    {TileSet::ChallengeMessage, backdrops::ChallengeMessage, foregrounds::None},
    {TileSet::StaffRoll,        backdrops::None,             foregrounds::None},  // borrowed, below
};

inline constexpr BorrowedBackdrop StaffRollBackdrops[] = {
    {TileSet::Stage10,        true,  false},  // 0
    {TileSet::Stage9Backdrop, true,  true},   // 1: stage 9's backdrop without its foreground
    {TileSet::Stage6Backdrop, true,  true},   // 2
    {TileSet::Stage5Backdrop, false, true},   // 3
    {TileSet::Stage4Backdrop, true,  true},   // 4
};
// clang-format on

constexpr bool RowsInTileSetOrder() {
    if (std::size(TileSets) != static_cast<size_t>(TileSetCount)) return false;
    for (int i = 0; i < TileSetCount; ++i)
        if (static_cast<int>(TileSets[i].Set) != i) return false;
    return true;
}
static_assert(RowsInTileSetOrder(), "one row per tile set, in its order, so a set finds its row by number");

}  // namespace tilerules

constexpr const TileSetRules& RulesOf(TileSet set) {
    return tilerules::TileSets[static_cast<int>(set)];
}

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

// The rule of layer 1, 2 or 3 of `set`, as the frame's passes follow it; a layer the set does not
// draw has the NotDrawn rule. The staff roll (whose backdrop changes while it runs) answers for
// `staffRollBackdrop`. A foreground that goes at a fixed frame answers for before then.
constexpr LayerRule TileSetLayerRule(TileSet set, int layer, int staffRollBackdrop = 0) {
    if (layer == 3) return RulesOf(set).Front.Layer3;
    bool drawn = true;
    if (set == TileSet::StaffRoll) {
        const unsigned choice = static_cast<unsigned>(staffRollBackdrop);
        if (choice >= std::size(tilerules::StaffRollBackdrops)) return tilerules::NotDrawn;
        const BorrowedBackdrop& borrowed = tilerules::StaffRollBackdrops[choice];
        set = borrowed.From;
        drawn = layer == 1 ? borrowed.Layer1 : borrowed.Layer2;
    }
    const Backdrop& backdrop = RulesOf(set).Back;
    if (!drawn) return tilerules::NotDrawn;
    return layer == 1 ? backdrop.Layer1 : layer == 2 ? backdrop.Layer2 : tilerules::NotDrawn;
}

constexpr int StaffRollBackdropCount = static_cast<int>(std::size(tilerules::StaffRollBackdrops));

}  // namespace veltrano
