// Which background tile each scene lays at each tile index of its three layers: the rules the game's
// background pass follows, kept here so the tests can prove every lowest layer covers its squares and
// the mock screens can show the tiles joined as the game joins them.
#pragma once

namespace veltrano::assetgen {

struct LayerTile {
    bool Drawn = false;
    int CellX = 0, CellY = 0;
    bool Keyed = false;
};

// Tile index i of `layer` (1 to 3) in `scene` (-2 to 25, staff roll as its backdrop 0), with
// `foreground` telling whether scene 6/7's foreground tiles are switched on.
inline LayerTile SceneLayerTile(int scene, int layer, int i, bool foreground = true) {
    const bool evenSquare = (i / 8) % 2 == i % 2;
    auto tile = [](int x, int y, bool keyed) { return LayerTile{true, x, y, keyed}; };
    if (scene == 24) scene = 11;  // the staff roll opens on stage 10's backdrop
    if (layer == 1) {
        switch (scene) {
            case -2:
            case -1:
            case 0:
            case 1:
                return tile(240, 80, false);
            case 2:
            case 14:
            case 7:
            case 19:
                return i % 3 == 0 ? tile(160, 0, false) : tile(0, 0, false);
            case 3:
            case 15:
                return evenSquare ? tile(0, 80, false) : LayerTile{};
            case 4:
            case 16:
                return (i % 7 == 0 || i % 7 == 3) ? tile(160, 160, true) : tile(0, 160, true);
            case 5:
            case 9:
            case 17:
            case 21:
                return evenSquare ? tile(0, 240, true) : tile(80, 240, true);
            case 8:
            case 20:
                return i % 2 == 1 ? tile(80, 80, false) : tile(0, 80, false);
            case 10:
            case 12:
            case 13:
            case 22:
                return evenSquare ? tile(160, 320, true) : tile(240, 320, true);
            case 11:
            case 23:
                return (i % 40 == 2 || i % 40 == 5) ? tile(160, 400, true) : tile(240, 400, true);
            case 25:
                return tile(240, 0, false);
            default:
                return {};
        }
    }
    if (layer == 2) {
        switch (scene) {
            case 2:
            case 14:
                return i % 5 == 0 ? tile(80, 0, true) : LayerTile{};
            case 3:
            case 15:
                return evenSquare ? LayerTile{} : tile(80, 80, false);
            case 4:
            case 16:
                return i % 5 == 1 ? tile(80, 160, true) : LayerTile{};
            case 5:
            case 9:
            case 17:
            case 21:
                return i % 40 < 8 ? tile(160, 240, true) : LayerTile{};
            case 6:
            case 18:
                return tile(160, 240, true);
            case 7:
            case 19:
                return i % 40 < 16 ? tile(0, 320, true) : i % 40 < 32 ? tile(80, 320, true) : LayerTile{};
            case 8:
            case 20:
                return i % 13 == 0 ? tile(80, 80, false) : i % 13 == 3 ? tile(0, 80, false) : LayerTile{};
            case 10:
            case 12:
            case 13:
            case 22:
                return evenSquare ? tile(80, 400, true) : tile(0, 400, true);
            default:
                return {};
        }
    }
    switch (scene) {
        case 3:
            return i <= 8 ? tile(160, 80, true) : LayerTile{};
        case 5:
            return i % 8 == 7 ? tile(240, 240, true) : LayerTile{};
        case 6:
        case 7:
            return foreground ? tile(240, 80, false) : LayerTile{};
        case 8:
            return i % 23 == 0 ? tile(0, 80, false) : i % 23 == 5 ? tile(80, 80, false) : LayerTile{};
        case 10:
        case 22:
            return evenSquare ? tile(80, 400, true) : tile(0, 400, true);
        default:
            return {};
    }
}

}  // namespace veltrano::assetgen
