// The SDL backend's events: keys (with the tap latch), focus, pads coming and going, the window
// minimised or its surfaces lost, and the close button.
#include "platform/KeyBindings.h"
#include "platform/sdl/SdlBackend.h"

namespace veltrano {

int VirtualKeyOf(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) return 0x70 + (code - SDL_SCANCODE_F1);
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9) return 0x61 + (code - SDL_SCANCODE_KP_1);
    switch (code) {
        case SDL_SCANCODE_KP_0:
            return 0x60;
        case SDL_SCANCODE_TAB:
            return 0x09;
        case SDL_SCANCODE_BACKSPACE:
            return 0x08;
        case SDL_SCANCODE_END:
            return 0x23;
        case SDL_SCANCODE_PAGEUP:
            return 0x21;
        case SDL_SCANCODE_PAGEDOWN:
            return 0x22;
        case SDL_SCANCODE_LSHIFT:
            return 0xA0;
        case SDL_SCANCODE_RSHIFT:
            return 0xA1;
        case SDL_SCANCODE_LCTRL:
            return 0xA2;
        case SDL_SCANCODE_RCTRL:
            return 0xA3;
        case SDL_SCANCODE_SEMICOLON:
            return 0xBA;
        case SDL_SCANCODE_COMMA:
            return 0xBC;
        case SDL_SCANCODE_PERIOD:
            return 0xBE;
        case SDL_SCANCODE_SLASH:
            return 0xBF;
        case SDL_SCANCODE_0:
            return '0';
        case SDL_SCANCODE_RETURN:
            return Vk::Enter;
        case SDL_SCANCODE_KP_ENTER:
            return Vk::Enter;
        case SDL_SCANCODE_ESCAPE:
            return Vk::Escape;
        case SDL_SCANCODE_SPACE:
            return Vk::Space;
        case SDL_SCANCODE_HOME:
            return Vk::Home;
        case SDL_SCANCODE_INSERT:
            return Vk::Insert;
        case SDL_SCANCODE_DELETE:
            return Vk::Delete;
        case SDL_SCANCODE_LEFT:
            return Vk::Left;
        case SDL_SCANCODE_UP:
            return Vk::Up;
        case SDL_SCANCODE_RIGHT:
            return Vk::Right;
        case SDL_SCANCODE_DOWN:
            return Vk::Down;
        default:
            return 0;
    }
}

bool SdlBackend::NextEvent(WindowEvent& event) {
    SDL_Event sdl;
    while (SDL_PollEvent(&sdl))
        if (TranslateEvent(sdl, event)) return true;
    return false;
}

bool SdlBackend::TranslateEvent(const SDL_Event& sdl, WindowEvent& event) {
    event = WindowEvent{};
    switch (sdl.type) {
        case SDL_QUIT:
            CloseRequested = true;
            return false;
        case SDL_KEYDOWN: {
            const int vk = PlayerKeys.Heard(VirtualKeyOf(sdl.key.keysym.scancode));
            if (vk <= 0) return false;
            event.Key = vk;
            event.Alt = (sdl.key.keysym.mod & KMOD_ALT) != 0;
            event.Repeat = sdl.key.repeat != 0;
            // Alt+Enter switches the display; it is no Enter press for the game.
            if (!event.Repeat && !(event.Alt && vk == Vk::Enter)) Latch.PressKey(vk);
            return true;
        }
        case SDL_JOYBUTTONDOWN:
            if (Joystick && sdl.jbutton.which == JoystickId) Latch.PressButton(sdl.jbutton.button);
            return false;
        case SDL_JOYDEVICEADDED:
            OpenJoystick(sdl.jdevice.which);
            return false;
        case SDL_JOYDEVICEREMOVED:
            DropJoystick(sdl.jdevice.which);
            return false;
        case SDL_WINDOWEVENT:
            if (sdl.window.event == SDL_WINDOWEVENT_MINIMIZED) Minimised = true;
            if (sdl.window.event == SDL_WINDOWEVENT_RESTORED || sdl.window.event == SDL_WINDOWEVENT_SHOWN)
                Minimised = false;
            if (sdl.window.event == SDL_WINDOWEVENT_FOCUS_LOST && SDL_GetTicks64() >= IgnoreFocusLossUntil) {
                event.Kind = WindowEvent::Kinds::FocusLost;
                return true;
            }
            return false;
        case SDL_MOUSEMOTION:
            LastMouseMotion = SDL_GetTicks64();
            UpdateCursor();
            return false;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            CreateTexture();
            event.Kind = WindowEvent::Kinds::SurfacesLost;
            return true;
        default:
            return false;
    }
}

// A pad pulled out mid-game is dropped; the next one plugged in is picked up.
void SdlBackend::DropJoystick(SDL_JoystickID id) {
    if (!Joystick || id != JoystickId) return;
    SDL_JoystickClose(Joystick);
    Joystick = nullptr;
    JoystickId = -1;
    if (SDL_NumJoysticks() > 0) OpenJoystick(0);
}

}  // namespace veltrano
