// glyphsheet PROGRAM_FOLDER: writes Glyphs.vgs, the glyph sheet of every character the game shows,
// beside the program, for the builds that draw text without the font.
#include <cstdio>
#include <fstream>
#include <string>

#include "app/ProgramFiles.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "tools/glyphsheet/TextScenes.h"

using namespace veltrano;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyphsheet PROGRAM_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    GlyphSheet sheet;
    std::string error;
    try {
        // The staff roll played here sets the cleared flag: the game keeps its files apart.
        const ScratchDataFolder own(folder);
        HeadlessGame game(folder, {}, nullptr, own.Path());
        if (!BuildGlyphSheet(game, sheet, &error)) throw LoadError(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "glyphsheet: %s\n", e.what());
        return 1;
    }
    const std::vector<uint8_t> bytes = EncodeGlyphSheet(sheet);
    const std::string path = folder + "/" + FileNameOf(GlyphSheetFile);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "glyphsheet: %s: cannot write\n", path.c_str());
        return 1;
    }
    size_t glyphs = 0;
    for (const GlyphSize& s : sheet.Sizes) glyphs += s.Glyphs.size();
    std::printf("glyphsheet: %zu glyphs in %zu sizes, %zu bytes\n", glyphs, sheet.Sizes.size(), bytes.size());
    return 0;
}
