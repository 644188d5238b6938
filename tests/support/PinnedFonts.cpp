#include "PinnedFonts.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const char* const kFontFolder = "/usr/share/fonts/truetype/dejavu";
const char* const kFontFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf",
    "DejaVuSansMono-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"};

// The families the program and its colour files name, by the face that
// stands in for them.
const char* const kMonospaced[] = {
    "monospace", "Monospace", "Courier New", "Courier", "Consolas", "Lucida Console"};
const char* const kSerif[] = {"serif", "Times New Roman", "Times"};

std::string Alias(const char* family, const char* face)
{
    return std::string("  <alias binding=\"same\"><family>") + family +
        "</family><prefer><family>" + face + "</family></prefer></alias>\n";
}

} // namespace

bool PinFontsToDejaVu(const std::string& folder)
{
    // Only the package's files, linked into a folder of their own: the
    // folder they are installed in may hold more faces.
    const fs::path fonts = fs::path(folder) / "fonts";
    std::error_code error;
    fs::create_directories(fonts, error);
    for (const char* file : kFontFiles) {
        const fs::path installed = fs::path(kFontFolder) / file;
        if (error || !fs::is_regular_file(installed, error))
            return false;
        fs::create_symlink(installed, fonts / file, error);
    }
    if (error)
        return false;

    std::string config = "<?xml version=\"1.0\"?>\n"
                         "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                         "<fontconfig>\n"
                         "  <dir>" +
        fonts.string() + "</dir>\n  <cachedir>" + (fs::path(folder) / "fontcache").string() +
        "</cachedir>\n";
    for (const char* family : kMonospaced)
        config += Alias(family, "DejaVu Sans Mono");
    for (const char* family : kSerif)
        config += Alias(family, "DejaVu Serif");
    // Every other family, named or not, falls back to the sans-serif face.
    config += "  <match target=\"pattern\"><edit name=\"family\" mode=\"append_last\">"
              "<string>DejaVu Sans</string></edit></match>\n"
              "</fontconfig>\n";
    const fs::path file = fs::path(folder) / "fonts.conf";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << config;
    if (!fs::is_regular_file(file, error))
        return false;
    setenv("FONTCONFIG_FILE", file.c_str(), 1);
    return true;
}
