#include "render/Picture.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "render/Notices.h"
#include "world/ObjectKinds.h"

namespace veltrano {

namespace {

constexpr int FirstDisplaySlot = 713, LastDisplaySlot = 732;  // the boss digits to the game-over picture

void CopySlotRange(SlotsPicture& out, const int* x, const int* y, const int* state, const int* deadTime,
                   int first, int last) {
    const size_t count = static_cast<size_t>(last - first + 1) * sizeof(int);
    std::memcpy(out.X + first, x + first, count);
    std::memcpy(out.Y + first, y + first, count);
    std::memcpy(out.State + first, state + first, count);
    std::memcpy(out.DeadTime + first, deadTime + first, count);
}

// The slots drawn after the world step: the countdown blocks and the display's.
template <typename Visit>
void ForEachFrontRange(Visit visit) {
    for (const ObjectKind& kind : ObjectKinds)
        if (kind.Pass == DrawPass::CountdownBlocks) visit(kind.First, kind.Last);
    visit(FirstDisplaySlot, LastDisplaySlot);
}

void TakeLayer(LayerPicture& out, const int* x, const int* y) {
    std::memcpy(out.X, x, sizeof out.X);
    std::memcpy(out.Y, y, sizeof out.Y);
}

// `value` in decimal with "0" put in front until the text is at least `minLength` long. The padding
// goes in front of a minus sign too ("0-5"): the display only ever shows the leading characters.
void WritePaddedDecimal(char (&text)[16], int value, int minLength) {
    char reversed[16];
    int length = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) reversed[length++] = '-';
    int at = 0;
    for (int pad = length; pad < minLength; ++pad) text[at++] = '0';
    while (length > 0) text[at++] = reversed[--length];
    text[at] = '\0';
}

constexpr int BossDigitCount = 3;
constexpr int ScoreDigitCount = 9;
constexpr int ClosingPictureSlot = 739;

}  // namespace

void WriteDisplayTexts() {
    assert(BossSlot >= 0 && BossSlot < ObjectSlotCount);
    WritePaddedDecimal(BossHPText, EnemyHP[BossSlot], BossDigitCount);
    WritePaddedDecimal(ScoreText, Score, ScoreDigitCount);
}

void TakeBackPicture(BackPicture& out, TileSet set) {
    out.Scene = Scene;
    out.Set = set;
    out.StaffRollBackdrop = StaffRollBackdrop;
    std::memcpy(out.TileOn, ForegroundTileOn, sizeof out.TileOn);
    TakeLayer(out.Layer1, Layer1TileX, Layer1TileY);
    TakeLayer(out.Layer2, Layer2TileX, Layer2TileY);
    out.StageFrame = StageFrame;
    out.PlayerX = PlayerX, out.PlayerY = PlayerY, out.PlayerHP = PlayerHP;
    out.RespawnTimer = RespawnTimer, out.ShotType = ShotType;
    out.PlayerShown = PlayerShown, out.PlayerUntouchable = PlayerUntouchable;
    std::memcpy(out.ShotX, ShotX, sizeof out.ShotX);
    std::memcpy(out.ShotY, ShotY, sizeof out.ShotY);
    std::memcpy(out.ShotLive, ShotLive, sizeof out.ShotLive);
    out.Option1On = Option1On, out.Option2On = Option2On;
    out.Option1X = Option1X, out.Option1Y = Option1Y, out.Option2X = Option2X, out.Option2Y = Option2Y;
    out.Difficulty = Difficulty;
    out.Buttons[0] = SpeedButton, out.Buttons[1] = FireButton;
    out.Buttons[2] = BurstButton, out.Buttons[3] = ConfirmButton;
    CopySlotRange(out.Slots, EnemyX, EnemyY, EnemyState, EnemyDeadTime, 0, ObjectSlotCount - 1);
}

void TakeFrontPicture(FrontPicture& out, TileSet set) {
    out.Scene = Scene;
    out.Set = set;
    out.StageFrame = StageFrame;
    std::memcpy(out.TileOn, ForegroundTileOn, sizeof out.TileOn);
    TakeLayer(out.Layer3, Layer3TileX, Layer3TileY);
    std::memcpy(out.BossHPText, BossHPText, sizeof out.BossHPText);
    std::memcpy(out.ScoreText, ScoreText, sizeof out.ScoreText);
    out.ShotType = ShotType, out.Lives = Lives, out.PlayerSpeed = PlayerSpeed;
    out.CountdownExpired = CountdownExpired;
    ForEachFrontRange([&out](int first, int last) {
        CopySlotRange(out.Slots, EnemyX, EnemyY, EnemyState, EnemyDeadTime, first, last);
    });
}

void TakeTopPicture(TopPicture& out) {
    out.Scene = Scene;
    out.StageFrame = StageFrame;
    out.StartScene = StartScene;
    out.Paused = PlayPaused();
    std::memcpy(out.PanelCellOn, PanelCellOn, sizeof out.PanelCellOn);
    out.StaffRollPicture = StaffRollPicture;
    out.ClosingX = EnemyX[ClosingPictureSlot];
    out.ClosingY = EnemyY[ClosingPictureSlot];
}

namespace {

// Where a thing drawn at `now` in the tick and at `then` in the tick before stands `behind` of a tick
// earlier; a move longer than the glide limit is a jump and is drawn where the tick put it.
int Glide(int now, int then, double behind) {
    const int moved = now - then;
    if (moved > GlideLimit || moved < -GlideLimit) return now;
    return now - static_cast<int>(std::lround(moved * behind));
}

void PlaceLayer(const LayerPicture& tick, const LayerPicture& before, double behind, LayerPicture& out) {
    for (int i = 0; i < TileCount; ++i) {
        out.X[i] = Glide(tick.X[i], before.X[i], behind);
        out.Y[i] = Glide(tick.Y[i], before.Y[i], behind);
    }
}

void GlidePoint(int tickX, int tickY, int beforeX, int beforeY, double behind, int& x, int& y) {
    if (std::abs(tickX - beforeX) > GlideLimit || std::abs(tickY - beforeY) > GlideLimit) return;
    x = Glide(tickX, beforeX, behind);
    y = Glide(tickY, beforeY, behind);
}

// A slot glides while it keeps its state; one that turned back (a shake, a bounce) is drawn where the
// tick put it, so a strike of the title's pieces is seen as sharp as it is.
bool TurnedBack(int now, int then, int earlier) {
    const int moved = now - then, movedBefore = then - earlier;
    return (moved > 0 && movedBefore < 0) || (moved < 0 && movedBefore > 0);
}

void PlaceSlots(const SlotsPicture& tick, const SlotsPicture& before, const SlotsPicture* older,
                double behind, int first, int last, SlotsPicture& out) {
    for (int k = first; k <= last; ++k) {
        if (tick.State[k] != before.State[k]) continue;
        if (older && (TurnedBack(tick.X[k], before.X[k], older->X[k]) ||
                      TurnedBack(tick.Y[k], before.Y[k], older->Y[k])))
            continue;
        GlidePoint(tick.X[k], tick.Y[k], before.X[k], before.Y[k], behind, out.X[k], out.Y[k]);
    }
}

}  // namespace

void PlaceBack(const BackPicture& tick, const BackPicture& before, const BackPicture* older, double behind,
               BackPicture& out) {
    std::memcpy(&out, &tick, sizeof out);
    // A new scene, or a world that has been set anew, starts where it is.
    if (behind <= 0 || tick.Scene != before.Scene || tick.Set != before.Set) return;
    if (older && older->Scene != tick.Scene) older = nullptr;
    PlaceLayer(tick.Layer1, before.Layer1, behind, out.Layer1);
    PlaceLayer(tick.Layer2, before.Layer2, behind, out.Layer2);
    if (tick.PlayerShown == before.PlayerShown)
        GlidePoint(tick.PlayerX, tick.PlayerY, before.PlayerX, before.PlayerY, behind, out.PlayerX,
                   out.PlayerY);
    for (int j = 0; j < ShotCount; ++j)
        if (tick.ShotLive[j] == 1 && before.ShotLive[j] == 1)
            GlidePoint(tick.ShotX[j], tick.ShotY[j], before.ShotX[j], before.ShotY[j], behind, out.ShotX[j],
                       out.ShotY[j]);
    if (tick.Option1On == 1 && before.Option1On == 1)
        GlidePoint(tick.Option1X, tick.Option1Y, before.Option1X, before.Option1Y, behind, out.Option1X,
                   out.Option1Y);
    if (tick.Option2On == 1 && before.Option2On == 1)
        GlidePoint(tick.Option2X, tick.Option2Y, before.Option2X, before.Option2Y, behind, out.Option2X,
                   out.Option2Y);
    // The countdown's blocks make a numeral: a new digit puts them elsewhere, so they stay on the tick.
    int firstBlock = ObjectSlotCount, lastBlock = -1;
    for (const ObjectKind& kind : ObjectKinds)
        if (kind.Pass == DrawPass::CountdownBlocks)
            firstBlock = std::min(firstBlock, kind.First), lastBlock = std::max(lastBlock, kind.Last);
    const SlotsPicture* olderSlots = older ? &older->Slots : nullptr;
    PlaceSlots(tick.Slots, before.Slots, olderSlots, behind, 0, firstBlock - 1, out.Slots);
    PlaceSlots(tick.Slots, before.Slots, olderSlots, behind, lastBlock + 1, ObjectSlotCount - 1, out.Slots);
}

void PlaceFront(const FrontPicture& tick, const FrontPicture& before, double behind, FrontPicture& out) {
    // Only the slots drawn after the world step are copied: the rest of the array is never read.
    std::memcpy(&out, &tick, offsetof(FrontPicture, Slots));
    const SlotsPicture& slots = tick.Slots;
    ForEachFrontRange([&](int first, int last) {
        CopySlotRange(out.Slots, slots.X, slots.Y, slots.State, slots.DeadTime, first, last);
    });
    // Layer 3 glides; the countdown's blocks and the display stay on the tick.
    if (behind <= 0 || tick.Scene != before.Scene || tick.Set != before.Set) return;
    PlaceLayer(tick.Layer3, before.Layer3, behind, out.Layer3);
}

}  // namespace veltrano
