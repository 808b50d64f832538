#include "stages/staffroll/StaffRollShow.h"

#include <array>
#include <iterator>
#include <string>

#include "engine/CentralSystem.h"
#include "platform/Display.h"
#include "stages/StepText.h"
#include "world/World.h"

namespace veltrano {

namespace {

// ---- Credits --------------------------------------------------------------------------------------

constexpr int Centred = -1;  // a credit placed in the middle of the screen, measured in its font

struct Credit {
    int First, Last;  // shown on these steps, both included
    const char* Text;
    int X, Y;
};

constexpr Credit Credits[] = {
    {101, 227, "STAFF", Centred, Centred},
    {401, 527, "構造作成", 80, 400},
    {561, 687, "MIR8", 120, 400},
    {813, 939, "画像作成", 80, 20},
    {973, 1131, "MIR8", 120, 20},
    {1241, 1367, "音楽", 80, 400},
    {1401, 1527, "灯火", 120, 400},
    {1801, 1927, "虫退治", 80, 20},
    {1961, 2087, "ＮＥＢＯＬのみなさん", 40, 20},
    {2249, 2375, "家事手伝い(?)", 80, 400},
    {2409, 2535, "vlonk", 240, 400},
    {2657, 2783, "遊戯終了", 200, 20},
    {2817, 2943, "Thank you", 80, 20},
    {2817, 2943, "for your playing.", 120, 120},
};

constexpr size_t CreditCount = std::size(Credits);

// Made once when the program starts, so that writing them on every step allocates nothing.
const std::array<std::string, CreditCount> CreditTexts = [] {
    std::array<std::string, CreditCount> texts;
    for (size_t i = 0; i < CreditCount; ++i) texts[i] = Credits[i].Text;
    return texts;
}();

// ---- The ship's flight ----------------------------------------------------------------------------

struct Leg {
    int First, Last;  // both included
    int Dx, Dy;
};

// No two legs share a step.
constexpr Leg Flight[] = {
    {320, 340, 6, 0},     {344, 356, 4, -4},   {357, 367, 0, -6},   {380, 383, 0, 6},    {384, 387, 0, -6},
    {388, 420, 0, 6},     {424, 459, -4, -4},  {496, 511, 0, -6},   {560, 567, 0, 6},    {584, 591, 0, 6},
    {608, 615, 0, 6},     {812, 823, 4, 4},    {872, 891, 0, 6},    {900, 903, 0, 6},    {976, 979, 0, 6},
    {1240, 1263, 0, -6},  {1272, 1279, 0, -6}, {1296, 1303, 0, -6}, {1364, 1367, 0, -6}, {1388, 1399, 0, -6},
    {1412, 1463, 0, 6},   {1464, 1495, 6, 0},  {1496, 1515, 4, -4}, {1516, 1531, 6, 0},  {1552, 1559, 0, 6},
    {1560, 1567, 0, -6},  {1580, 1599, 0, -6}, {1664, 1727, 6, 0},  {1740, 1771, 6, 0},  {1840, 1843, -6, 0},
    {1880, 1883, -4, -4}, {1896, 1901, -6, 0}, {1952, 1955, 0, 6},  {2000, 2007, 0, 6},  {2208, 2251, 6, 0},
    {2400, 2403, 0, -6},  {2656, 2691, 0, 6},  {2700, 2703, 0, -6}, {2712, 2715, 0, -6}, {2724, 2727, 0, -6},
    {2736, 2739, 0, -6},  {2748, 2751, 0, -6}, {2760, 2763, 0, -6}, {2772, 2775, 0, -6}, {2800, 2999, 6, 0},
};

constexpr int FireOnFrames[] = {366, 808, 1240, 1796, 2248, 2464, 2656};
constexpr int FireOffFrames[] = {688, 1132, 1664, 2088, 2440, 2540, 2800};
constexpr int BurstFrames[] = {2693, 2747};

// ---- Segments -------------------------------------------------------------------------------------

constexpr int Unchanged = -1000;

struct Segment {
    int Frame, Type, Backdrop, Layer1X, Layer2X;
    int ShipX, ShipY;  // Unchanged keeps the coordinate
    int ShipDy;        // added to the ship's height
    bool CurtainFromLastCell;
    bool AltFormation;
};

constexpr Segment Segments[] = {
    {740, 2, 1, -2, -8, Unchanged, Unchanged, 0, true, false},
    {1184, 3, 2, -4, -8, Unchanged, Unchanged, -6, true, false},
    // The fourth weapon re-enters from the left over the same backdrop; the curtain stays where it is.
    {1728, 4, Unchanged, Unchanged, Unchanged, -48, 224, 0, false, false},
    {2139, 5, 3, -1, -2, 32, 224, 0, true, true},
    {2591, 6, 4, -1, -2, 32, 224, 0, true, false},
};

void Change(int& variable, int value) {
    if (value != Unchanged) variable = value;
}

// ---- Curtains -------------------------------------------------------------------------------------

struct CurtainRun {
    int First, Last;  // both included
    bool Closing;
    int Stride;
};

constexpr CurtainRun Curtains[] = {
    {689, 737, true, 1},    {742, 790, false, 1},    {1133, 1181, true, 6},
    {1186, 1234, false, 6}, {2089, 2137, true, 13},  {2141, 2189, false, 13},
    {2541, 2589, true, 17}, {2593, 2641, false, 17}, {2945, 2993, true, 23},
};

constexpr int CurtainRestartFrames[] = {791, 1235};

// Runs of stride 6 wrap by 47, not 48; since 6 and 47 share no factor they still reach every cell,
// the cell 47 itself being reached from 41 (closing) or left as the start (opening).
int WrapOf(int stride) {
    return stride == 6 ? 47 : 48;
}

constexpr int GameClearedFrame = 3063;

template <size_t N>
bool Contains(const int (&frames)[N], int frame) {
    for (int f : frames)
        if (f == frame) return true;
    return false;
}

}  // namespace

void NoteStaffCredits() {
    StepTextNoted.Credits = true;
    StepTextNoted.CreditsFrame = StageFrame;
}

void DrawStaffCredits(int stageFrame, Surface& target) {
    TextCanvas canvas(target);
    canvas.SetClearBrush();
    canvas.SetFontColour(0xFFFFFF);
    canvas.SetFontSize(48);
    for (size_t i = 0; i < CreditCount; ++i) {
        const Credit& c = Credits[i];
        if (stageFrame < c.First || stageFrame > c.Last) continue;
        const std::string& text = CreditTexts[i];
        const int x = c.X == Centred ? (ScreenWidth - canvas.TextWidth(text)) / 2 : c.X;
        const int y = c.Y == Centred ? (ScreenHeight - canvas.TextHeight(text)) / 2 : c.Y;
        canvas.TextOut(x, y, text);
    }
}

void FlyDemonstrationShip() {
    for (const Leg& leg : Flight) {
        if (StageFrame >= leg.First && StageFrame <= leg.Last) {
            PlayerX += leg.Dx;
            PlayerY += leg.Dy;
            return;
        }
    }
}

void HoldDemonstrationFire() {
    if (Contains(FireOnFrames, StageFrame)) FireHeld = 1;
    if (Contains(FireOffFrames, StageFrame)) FireHeld = 0;
    if (Contains(BurstFrames, StageFrame)) BurstActive = 1;
}

void ChangeDemonstrationSegment() {
    for (const Segment& s : Segments) {
        if (StageFrame != s.Frame) continue;
        ShotType = s.Type;
        Change(StaffRollBackdrop, s.Backdrop);
        Change(Layer1StepX, s.Layer1X);
        Change(Layer2StepX, s.Layer2X);
        Change(PlayerX, s.ShipX);
        Change(PlayerY, s.ShipY);
        PlayerY += s.ShipDy;
        if (s.AltFormation) OptionAltFormation = 1;
        SetShotVelocities();
        if (s.CurtainFromLastCell) PanelCursor = PanelCellCount - 1;
    }
}

void RunPanelCurtains() {
    for (const CurtainRun& run : Curtains) {
        if (StageFrame < run.First || StageFrame > run.Last) continue;
        const int wrap = WrapOf(run.Stride);
        if (run.Closing) {
            PanelCellOn[PanelCursor] = 1;
            PanelCursor += run.Stride;
            if (PanelCursor > PanelCellCount - 1) PanelCursor -= wrap;
        } else {
            PanelCellOn[PanelCursor] = 0;
            PanelCursor -= run.Stride;
            if (PanelCursor < 0) PanelCursor += wrap;
        }
    }
    if (Contains(CurtainRestartFrames, StageFrame)) PanelCursor = 0;
}

void CloseStaffRoll() {
    if (StageFrame == GameClearedFrame) GameCleared = 1;
    if (StageFrame == StaffRollClosingFrame) StaffRollPicture = 1;
}

}  // namespace veltrano
