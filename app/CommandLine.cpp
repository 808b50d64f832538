#include "app/CommandLine.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/ConfigFile.h"
#include "app/DisplayConfig.h"
#include "app/Version.h"

#ifndef VELTRANO_VERSION
#define VELTRANO_VERSION "unknown"
#endif

namespace veltrano {

namespace {

// Stores the option's value (nullptr for options without one); returns false with a message in
// `error` when the value is not acceptable.
using OptionHandler = bool (*)(CommandLine& line, const char* value, std::string* error);

struct Option {
    const char* Name;
    const char* ValueName;  // nullptr: the option takes no value
    const char* Help;
    OptionHandler Handle;
};

bool TakeFile(std::string& file, const char* option, const char* value, std::string* error) {
    if (*value == '\0') {
        *error = std::string(option) + " needs a file name";
        return false;
    }
    file = value;
    return true;
}

// clang-format off
constexpr Option Options[] = {
    {"--window", nullptr, "play in a window (Alt+Enter or F11 switches while playing)",
     [](CommandLine& l, const char*, std::string*) { l.FullScreen = false; return true; }},
    {"--fullscreen", nullptr, "play full screen",
     [](CommandLine& l, const char*, std::string*) { l.FullScreen = true; return true; }},
    {"--scale", "N", "a window N times 640x480 (0: the largest that fits; implies --window)",
     [](CommandLine& l, const char* v, std::string* e) {
         int n = 0;
         if (!ParseWholeNumber(v, 0, MaxWindowScale, &n)) {
             *e = std::string("--scale wants a number from 0 to ") + std::to_string(MaxWindowScale) + ", not '" + Quoted(v) + "'";
             return false;
         }
         l.WindowScale = n;
         return true;
     }},
    {"--scaling", "MODE", "sharp (whole multiples), fit (fill, aspect kept) or stretch (F10 cycles)",
     [](CommandLine& l, const char* v, std::string* e) {
         l.Mode = ScalingByName(v);
         if (!l.Mode) *e = std::string("--scaling wants sharp, fit or stretch, not '") + Quoted(v) + "'";
         return l.Mode.has_value();
     }},
    {"--vsync", nullptr, "wait for the screen's refresh when presenting",
     [](CommandLine& l, const char*, std::string*) { l.VSync = true; return true; }},
    {"--no-vsync", nullptr, "present without waiting for the screen's refresh",
     [](CommandLine& l, const char*, std::string*) { l.VSync = false; return true; }},
    {"--smooth", nullptr, "draw every refresh of the screen, motion placed between the game's ticks",
     [](CommandLine& l, const char*, std::string*) { l.Smooth = true; return true; }},
    {"--no-smooth", nullptr, "show only the pictures of the game's 40 ticks a second",
     [](CommandLine& l, const char*, std::string*) { l.Smooth = false; return true; }},
    {"--record", "FILE", "record every game to FILE instead of last.vgr",
     [](CommandLine& l, const char* v, std::string* e) { return TakeFile(l.RecordFile, "--record", v, e); }},
    {"--replay", "FILE", "play the recorded game FILE in the window, then close",
     [](CommandLine& l, const char* v, std::string* e) { return TakeFile(l.ReplayFile, "--replay", v, e); }},
    {"--help", nullptr, "this text",
     [](CommandLine& l, const char*, std::string*) { l.ShowHelp = true; return true; }},
    {"--version", nullptr, "the game's version",
     [](CommandLine& l, const char*, std::string*) { l.ShowVersion = true; return true; }},
};
// clang-format on

const Option* FindOption(std::string_view name) {
    for (const Option& option : Options)
        if (name == option.Name) return &option;
    return nullptr;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc && line.Error.empty(); ++i) {
        std::string_view word = argv[i];
        std::string inlineValue;
        bool hasInlineValue = false;
        if (const size_t eq = word.find('='); word.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = std::string(word.substr(eq + 1));
            hasInlineValue = true;
            word = word.substr(0, eq);
        }
        const Option* option = FindOption(word);
        if (option == nullptr) {
            line.Error = "unknown option '" + std::string(argv[i]) + "' (--help lists them)";
            break;
        }
        const char* value = nullptr;
        if (option->ValueName != nullptr) {
            if (hasInlineValue) {
                value = inlineValue.c_str();
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                line.Error = std::string(option->Name) + " wants a value (" + option->ValueName + ")";
                break;
            }
        } else if (hasInlineValue) {
            line.Error = std::string(option->Name) + " takes no value";
            break;
        }
        option->Handle(line, value, &line.Error);
    }
    if (line.Error.empty() && !line.RecordFile.empty() && !line.ReplayFile.empty())
        line.Error = "--record and --replay cannot be used together";
    return line;
}

std::string CommandLineHelp() {
    std::string text = "usage: VeltranoGame2 [options]\n\n";
    for (const Option& option : Options) {
        std::string head = std::string("  ") + option.Name;
        if (option.ValueName) head += std::string(" ") + option.ValueName;
        if (head.size() < 20) head.resize(20, ' ');
        text += head + " " + option.Help + "\n";
    }
    text +=
        "\nThe display options hold for this run only; the choices kept are in VeltranoIni.ini,\n"
        "section [Display], and change when F10, F11 or Alt+Enter is pressed while playing.\n"
        "Keys while playing: Alt+Enter or F11 full screen or window, F10 scaling, Escape quits;\n"
        "section [Keys] binds the keys.\n";
    return text;
}

std::string VersionText() {
    return std::string("VeltranoGame2 ") + GameVersion;
}

bool ApplyCommandLine(const CommandLine& line, DisplaySettings& settings) {
    const DisplaySettings before = settings;
    if (line.WindowScale) {
        settings.WindowScale = *line.WindowScale;
        settings.FullScreen = false;  // a scale names a window; --fullscreen below still wins
    }
    if (line.FullScreen) settings.FullScreen = *line.FullScreen;
    if (line.Mode) settings.Mode = *line.Mode;
    if (line.VSync) settings.VSync = *line.VSync;
    if (line.Smooth) settings.Smooth = *line.Smooth;
    return !(settings == before);
}

}  // namespace veltrano
