// The layers every scene draws, from the scene table's tile sets and the tile rules: how the picture
// tests visit each layer that a player can see.
#pragma once

#include "render/TileRules.h"
#include "stages/SceneTable.h"

namespace veltrano {

// The rule of one layer of `scene` (the staff roll through one of its backdrops).
inline LayerRule SceneLayerRule(int scene, int layer, int staffRollBackdrop = 0) {
    return TileSetLayerRule(TileSetOfScene(scene), layer, staffRollBackdrop);
}

// Calls `visit(scene, layer, rule)` for every layer that every scene draws, the staff roll once for
// each of its backdrops.
template <typename Visit>
void ForEachSceneLayer(Visit visit) {
    for (int scene = FirstScene; scene <= LastScene; ++scene)
        for (int backdrop = 0; backdrop < (scene == StaffRollScene ? StaffRollBackdropCount : 1); ++backdrop)
            for (int layer = 1; layer <= 3; ++layer) {
                const LayerRule rule = SceneLayerRule(scene, layer, backdrop);
                if (rule.Pattern != TilePattern::NotDrawn) visit(scene, layer, rule);
            }
}

}  // namespace veltrano
