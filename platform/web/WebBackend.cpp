#include "platform/web/WebBackend.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <string_view>

#include "platform/KeyBindings.h"
#include "platform/web/WebInput.h"

extern "C" {
// web-platform.js
void veltrano_present(const uint32_t* pixels, int width, int height);
void veltrano_place_canvas(int x, int y, int w, int h, int sharp);
int veltrano_area_width();
int veltrano_area_height();
void veltrano_toggle_full_screen();
}

namespace veltrano {

namespace {

const char* const Page = EMSCRIPTEN_EVENT_TARGET_WINDOW;

// Keys the game reads are the page's no longer: no scrolling on the arrows, no browser's find on
// the slash. Function keys other than ours, and keys with Ctrl or Meta, stay the browser's.
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void* data) {
    auto* backend = static_cast<WebBackend*>(data);
    const int pressed = VirtualKeyOfCode(e->code);
    if (pressed == 0 || e->ctrlKey || e->metaKey) return EM_FALSE;
    const int vk = PlayerKeys.Heard(pressed);
    if (vk == 0) return EM_TRUE;
    if (type == EMSCRIPTEN_EVENT_KEYDOWN)
        backend->KeyDown(vk, e->altKey, e->repeat);
    else
        backend->KeyUp(vk, e->altKey);
    return EM_TRUE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* data) {
    static_cast<WebBackend*>(data)->FocusLost();
    return EM_FALSE;
}

EM_BOOL OnHidden(int, const EmscriptenVisibilityChangeEvent* e, void* data) {
    if (e->hidden) static_cast<WebBackend*>(data)->FocusLost();
    return EM_FALSE;
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void* data) {
    static_cast<WebBackend*>(data)->PlaceCanvas();
    return EM_FALSE;
}

EM_BOOL OnFullscreen(int, const EmscriptenFullscreenChangeEvent*, void* data) {
    static_cast<WebBackend*>(data)->PlaceCanvas();
    return EM_FALSE;
}

}  // namespace

void WebBackend::Start() {
    emscripten_set_keydown_callback(Page, this, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(Page, this, EM_TRUE, OnKey);
    emscripten_set_blur_callback(Page, this, EM_TRUE, OnBlur);
    emscripten_set_visibilitychange_callback(this, EM_TRUE, OnHidden);
    emscripten_set_resize_callback(Page, this, EM_TRUE, OnResize);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_TRUE, OnFullscreen);
    PlaceCanvas();
}

void WebBackend::KeyDown(int vk, bool alt, bool repeat) {
    Held[vk & 255] = true;
    AltHeld = alt;
    // Alt+Enter switches the display; it is no Enter press for the game.
    if (!repeat && !(alt && vk == Vk::Enter)) Latch.PressKey(vk);
    Events.push_back({WindowEvent::Kinds::KeyDown, vk, alt, repeat});
}

void WebBackend::KeyUp(int vk, bool alt) {
    Held[vk & 255] = false;
    AltHeld = alt;
}

// A page that loses the focus hears no key go up: every key counts as released.
void WebBackend::FocusLost() {
    for (bool& held : Held) held = false;
    Events.push_back({WindowEvent::Kinds::FocusLost});
}

void WebBackend::Touch(int control, int vk, int padButton, bool held) {
    if (control < 0 || control >= TouchControlCount) return;
    if (held && !TouchHeld[control]) {
        TouchPressed[control] = true;
        TouchKey[control] = vk & 255;
        TouchButton[control] = padButton;
    }
    TouchHeld[control] = held;
}

bool WebBackend::NextEvent(WindowEvent& event) {
    if (Events.empty()) return false;
    event = Events.front();
    Events.pop_front();
    return true;
}

void WebBackend::ReadRawInput(RawInput& raw) {
    raw = RawInput{};
    for (int vk = 0; vk < 256; ++vk) raw.KeyDown[vk] = Held[vk];
    GamepadSnapshot pad;
    EmscriptenGamepadEvent state;
    if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS && emscripten_get_num_gamepads() > 0 &&
        emscripten_get_gamepad_status(0, &state) == EMSCRIPTEN_RESULT_SUCCESS && state.connected) {
        pad.Connected = true;
        pad.Standard = std::string_view(state.mapping) == "standard";
        pad.AxisCount = state.numAxes < 8 ? state.numAxes : 8;
        for (int i = 0; i < pad.AxisCount; ++i) pad.Axes[i] = state.axis[i];
        pad.ButtonCount = state.numButtons < 32 ? state.numButtons : 32;
        for (int i = 0; i < pad.ButtonCount; ++i) pad.Pressed[i] = state.digitalButton[i];
    }
    for (int i = 0; i < 32; ++i) {
        // Pads are read once a frame; a rising edge is latched as a key's press is.
        if (pad.Pressed[i] && !PadWasPressed[i]) Latch.PressButton(i);
        PadWasPressed[i] = pad.Pressed[i];
    }
    raw.Joystick = JoystickOfGamepad(pad);
    for (int c = 0; c < TouchControlCount; ++c) {
        // A tap that went down and up between two frames is seen for one frame, as a key's press.
        if (!TouchHeld[c] && !TouchPressed[c]) continue;
        TouchPressed[c] = false;
        if (TouchKey[c] != 0) {
            raw.KeyDown[TouchKey[c]] = true;
        } else if (TouchButton[c] >= 0 && TouchButton[c] < JoystickButtonCount) {
            if (!raw.Joystick.Present) {
                raw.Joystick = JoystickReading{};
                raw.Joystick.Present = true;
                raw.Joystick.AxisMin = -32768;
                raw.Joystick.AxisMax = 32767;
            }
            raw.Joystick.Buttons |= 1u << TouchButton[c];
        }
    }
    // Alt+Enter switches the display; its Enter is no button press.
    if (AltHeld) raw.KeyDown[Vk::Enter] = false;
    Latch.ApplyTo(raw);
}

// The canvas takes bytes R, G, B, A: a little-endian word 0xAABBGGRR.
void WebBackend::FlipBackBuffer(const Surface& backBuffer) {
    const size_t count = backBuffer.Pixels.size();
    Rgba.resize(count);
    const uint32_t* src = backBuffer.Pixels.data();
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = src[i];
        Rgba[i] = 0xFF000000u | (p & 0xFFu) << 16 | (p & 0xFF00u) | (p >> 16 & 0xFFu);
    }
    veltrano_present(Rgba.data(), backBuffer.Width, backBuffer.Height);
}

int WebBackend::ScreenWidth() {
    return veltrano_area_width();
}
int WebBackend::ScreenHeight() {
    return veltrano_area_height();
}

void WebBackend::PlaceCanvas() {
    const PictureRect r = ScaledPicture(veltrano_area_width(), veltrano_area_height(), Settings.Mode);
    veltrano_place_canvas(r.X, r.Y, r.W, r.H, Settings.Mode == Scaling::Sharp);
}

void WebBackend::ApplyDisplay(const DisplaySettings& settings) {
    const bool switchScreen = settings.FullScreen != Settings.FullScreen;
    Settings = settings;
    // A frame runs moments after the key that asked, while the browser still counts it as the
    // player's gesture, which full screen needs. The key switches what the player sees: the browser
    // may have left full screen by itself (its own Escape) or the page's button may have entered it.
    if (switchScreen) veltrano_toggle_full_screen();
    PlaceCanvas();
}

}  // namespace veltrano
