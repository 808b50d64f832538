// Sprite builders shared between families of pictures.
#pragma once

#include "tools/assetgen/PictureKit.h"

namespace veltrano::assetgen {

// A heavy craft facing left: wing `span` pixels each side, nose at x `nose`, optional twin tail.
Sprite HeavyCraft(const Ramp& hull, const Ramp& wing, float span, float nose, bool twinTail);

// The ship of weapon type `type` (0 to 5), outlined, 32 by 32, facing right.
Sprite ShipSprite(int type);

}  // namespace veltrano::assetgen
