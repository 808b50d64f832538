#include "engine/CentralSystem.h"
#include "stages/Stage.h"
#include "world/World.h"

namespace veltrano {

// Nothing of a finished game survives but the save file's scores and cleared flag, the key
// configuration and BulletAngle, which live outside the reset.
void NewGame() {
    ResetWorldState();
    EnterScene(TitleScene);
}

}  // namespace veltrano
