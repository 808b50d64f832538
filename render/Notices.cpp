#include "render/Notices.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Display.h"
#include "platform/Input.h"
#include "platform/KeyBindings.h"
#include "render/Lettering.h"
#include "world/World.h"

namespace veltrano {

namespace {

// The hint's keys stand in the boss digits' orange, the actions in the score's blue.
constexpr LetteringStyle KeyStyle = LetteringStyle::SmallOrange;
constexpr LetteringStyle ActionStyle = LetteringStyle::SmallBlue;

// The name of the key the player presses for the heard key `vk`, in the lettering's capitals and
// without blanks ("KEYPAD8"); nullptr when no key makes it or its name has a letter the lettering
// lacks.
const char* HintKeyName(int vk) {
    const char* name = KeyName(PlayerKeys.PressedFor(vk));
    static char shown[16];
    size_t length = 0;
    for (const char* c = name; *c; ++c) {
        if (*c == ' ') continue;
        const char upper = *c >= 'a' && *c <= 'z' ? static_cast<char>(*c - 'a' + 'A') : *c;
        if (std::strchr(LetteringChars, upper) == nullptr || length + 1 >= sizeof shown) return nullptr;
        shown[length++] = upper;
    }
    shown[length] = '\0';
    return length > 0 ? shown : nullptr;
}

void Append(char (&out)[NoticeTextSize], const char* text) {
    const size_t used = std::strlen(out);
    std::snprintf(out + used, NoticeTextSize - used, "%s", text);
}

void CentreLine(const char* text, int y, LetteringStyle style, Surface& target) {
    DrawLettering(text, (ScreenWidth - LetteringWidth(text, style)) / 2, y, style, target);
}

// Draws a hint text, whose words alternate key and action: keys in the key style, actions in the
// action style.
void DrawHint(const char* text, int y, Surface& target) {
    const int advance = LetteringRowOf(ActionStyle).Advance;
    int x = (ScreenWidth - LetteringWidth(text, ActionStyle)) / 2;
    int word = 0;
    char one[2] = {};
    for (const char* c = text; *c; ++c) {
        if (*c == ' ' && c[1] != ' ' && c[1] != '\0') ++word;
        one[0] = *c;
        DrawLettering(one, x, y, word % 2 == 0 ? KeyStyle : ActionStyle, target);
        x += advance;
    }
}

}  // namespace

bool PlayPaused() {
    return IsPlayScene(Scene) && WorldRunning == 0 && GameOver == 0;
}

void StartNoticeText(int startScene, char (&out)[NoticeTextSize]) {
    out[0] = '\0';
    if (startScene == Stage1Scene) return;
    const int scene = SceneStartedBy(startScene);
    if (scene == ChallengeBattleScene)
        std::snprintf(out, NoticeTextSize, "EXTRA BATTLE");
    else if (scene == BossRush1Scene)
        std::snprintf(out, NoticeTextSize, "BOSS RUSH");
    else if (IsBossRushScene(scene))
        std::snprintf(out, NoticeTextSize, "BOSS RUSH FROM BOSS %d", StageOfBossScene(scene));
    else
        std::snprintf(out, NoticeTextSize, "START STAGE %d", StageOfScene(scene));
}

void KeyHintText(char (&out)[NoticeTextSize]) {
    struct Action {
        int Button;
        const char* Name;
    };
    const Action actions[] = {
        {ConfirmButton, "SELECT"}, {SpeedButton, "SPEED"}, {FireButton, "FIRE"}, {BurstButton, "BURST"}};
    out[0] = '\0';
    for (const Action& action : actions) {
        if (action.Button < 1 || action.Button > 32) continue;  // no button: nothing to name
        const char* key = HintKeyName(KeyOfState(StateButton1 + action.Button - 1));
        char word[24];
        if (key && PadPresent())
            std::snprintf(word, sizeof word, "%s/B%d %s", key, action.Button, action.Name);
        else if (key)
            std::snprintf(word, sizeof word, "%s %s", key, action.Name);
        else
            std::snprintf(word, sizeof word, "B%d %s", action.Button, action.Name);
        if (out[0] != '\0') Append(out, "  ");
        Append(out, word);
    }
}

int KeyHintLines(const char* hint, char (&lines)[2][NoticeTextSize]) {
    std::snprintf(lines[0], NoticeTextSize, "%s", hint);
    lines[1][0] = '\0';
    const int length = static_cast<int>(std::strlen(hint));
    if (LetteringWidth(hint, ActionStyle) <= ScreenWidth) return 1;
    // Actions are set apart by two blanks; split at the pair of blanks nearest the middle.
    int split = -1;
    for (const char* at = std::strstr(hint, "  "); at != nullptr; at = std::strstr(at + 2, "  ")) {
        const int here = static_cast<int>(at - hint);
        if (split < 0 || std::abs(length - 2 * here) < std::abs(length - 2 * split)) split = here;
    }
    if (split < 0) return 1;
    std::snprintf(lines[0], NoticeTextSize, "%.*s", split, hint);
    std::snprintf(lines[1], NoticeTextSize, "%s", hint + split + 2);
    return 2;
}

void DrawNotices(const TopPicture& p, Surface& target) {
    if (p.Paused) CentreLine("PAUSE", PauseNoticeY, LetteringStyle::Large, target);
    if (p.Scene != TitleScene) return;
    char text[NoticeTextSize];
    StartNoticeText(p.StartScene, text);
    if (text[0] != '\0') CentreLine(text, StartNoticeY, StartNoticeStyle, target);
    if (p.StageFrame >= TitleHintFrame) {
        KeyHintText(text);
        char lines[2][NoticeTextSize];
        const int count = KeyHintLines(text, lines);
        for (int line = 0; line < count; ++line)
            DrawHint(lines[line], KeyHintY - (count - 1 - line) * KeyHintLineGap, target);
    }
}

}  // namespace veltrano
