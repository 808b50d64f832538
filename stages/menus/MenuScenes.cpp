// The scenes before the stages: the animated title, the ship select, the key configuration. Their
// scripts place and move furniture slots; the frame handler reads the keys and moves the cursor.
#include "engine/CentralSystem.h"
#include "stages/Scenes.h"

namespace veltrano {

namespace {

// The menus that wait for a key count to 2000 and start again.
void WrapFrameAt2000(ScriptBuilder& s) {
    s.AtFrame(2000, [&] { s.SetStageFrame(0); });
}

// The ship shows the chosen weapon by firing it without a key.
void KeepShipFiring() {
    SetShotVelocities();
    FireHeld = 1;
}

constexpr int LeftPiece = 700, MiddlePiece = 701, RightPiece = 702;
constexpr int FirstEntry = 703, SecondEntry = 704;

}  // namespace

// The background keeps scrolling behind every menu.
void WriteMenuReset(ScriptBuilder& s, ResetKind kind) {
    s.Reset(kind);
    s.Layers(-1, -2, -4);
    s.HitPoints(6, 6, 100);
    s.HitPoints(1000, 1999, 1);
    s.HitPoints(2000, 2499, 5);
    s.HitPoints(3000, 3499, 5);
}

void WriteTitle(ScriptBuilder& s) {
    WriteMenuReset(s, ResetKind::Menu);
    s.Place(LeftPiece, -128, 128);
    s.Place(MiddlePiece, 640, 0);
    s.Place(RightPiece, 0, -128);
    s.Place(FirstEntry, 240, 480);
    s.Place(SecondEntry, 272, 480);
    s.Place(MenuCursorSlot, -32, 288);

    // The pieces strike each other and shake: -4 on odd frames, +4 on even ones.
    const Arg jolt = Arg::Cycle(0, 2, 0, -4, 4);
    s.MoveDuring(LeftPiece, 4, -1, 31, 160);
    s.MoveDuring(MiddlePiece, -16, 0, 151, 184);
    s.MoveDuring(LeftPiece, -16, 0, 159, 184);
    for (int piece : {LeftPiece, MiddlePiece}) s.MoveDuring(piece, jolt, 0, 183, 208);
    for (int piece : {LeftPiece, RightPiece}) s.MoveDuring(piece, 0, 16, 223, 246);
    for (int piece : {LeftPiece, RightPiece}) s.MoveDuring(piece, 0, jolt, 245, 270);
    s.MoveDuring(LeftPiece, 1, -4, 287, 352);
    s.MoveDuring(MiddlePiece, 2, 2, 287, 352);
    s.MoveDuring(RightPiece, 7, -1, 287, 352);
    s.MoveDuring(LeftPiece, 0, 2, 383, 400);
    s.MoveDuring(RightPiece, 0, -2, 383, 400);
    s.MoveDuring(LeftPiece, -16, 0, 463, 480);
    s.MoveDuring(RightPiece, 16, 0, 463, 480);
    s.MoveDuring(LeftPiece, 16, 0, 487, 508);
    s.MoveDuring(RightPiece, -16, 0, 487, 508);
    for (int piece : {LeftPiece, MiddlePiece, RightPiece}) s.MoveDuring(piece, jolt, 0, 507, 532);
    for (int piece : {LeftPiece, MiddlePiece, RightPiece}) s.MoveDuring(piece, 0, -2, 547, 580);
    s.MoveDuring(FirstEntry, 0, -8, 579, 604);
    s.MoveDuring(SecondEntry, 0, -8, 603, 620);
    s.MoveDuring(MenuCursorSlot, 16, 0, 619, 635);
}

void WriteShipSelect(ScriptBuilder& s) {
    WriteMenuReset(s, ResetKind::ShipSelect);
    s.Place(MenuCursorSlot, 64, 64);
    s.Place(0, 6, 96, Coord::Per(64, 64));  // the six weapon icons

    WrapFrameAt2000(s);
    s.Call(KeepShipFiring);
}

void WriteKeyConfig(ScriptBuilder& s) {
    WriteMenuReset(s, ResetKind::Menu);
    s.Place(MenuCursorSlot, 64, 64);
    s.Place(733, 96, 64);
    s.Place(706, 96, 128);
    s.Place(707, 96, 192);
    s.Place(708, 4, 128, Coord::Per(240, 48));
    s.Place(734, 288, 128);
    s.Place(735, 4, 288, Coord::Per(240, 48));

    WrapFrameAt2000(s);
}

}  // namespace veltrano
