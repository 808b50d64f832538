// The tile sets a scene lays its three background layers from. Each set names one backdrop (layers 1
// and 2), with or without a foreground (layer 3); most are named after the stage whose backdrop it
// is, and a set ending in Backdrop is that stage's backdrop without the stage's foreground. The scene
// table gives every scene its set (`TileSetOfScene`); the frame hands it to the background passes,
// which lay the set's tile rules (render/TileRules.h).
#pragma once

namespace veltrano {

enum class TileSet : unsigned char {
    None,   // nothing laid: a scene number outside the scenes
    Menus,  // the menus and the title
    Stage1,
    Stage2,
    Stage2Backdrop,
    Stage3,
    Stage4,
    Stage4Backdrop,  // also stage 8's
    Stage5,
    Stage5Backdrop,
    Stage6,
    Stage6Backdrop,
    Stage7,
    Stage7Backdrop,
    Stage9,
    Stage9Backdrop,  // also the extra battles'
    Stage10,
    ChallengeMessage,
    StaffRoll,  // borrowed from other sets, by StaffRollBackdrop
};

constexpr int TileSetCount = static_cast<int>(TileSet::StaffRoll) + 1;

}  // namespace veltrano
