// iconbuilder: draws Quillmere's application icon from code at the sizes asked for, into the
// layout of a desktop icon theme (DIR/NxN/apps/quillmere.png); with --preview it also writes
// every size side by side on a light and a dark ground for a person to look at.

#include "IconDesign.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace iconbuilder;

constexpr const char* Usage = R"(Usage:
  iconbuilder [--preview PNG] DIR SIZE...
      draws the application icon at each SIZE (pixels, 16 to 1024) into
      DIR/SIZExSIZE/apps/quillmere.png; with --preview, also writes every size side by side
      on a light and a dark ground to PNG
  iconbuilder --help
)";

int ParseSize(const std::string& text) {
    std::size_t used = 0;
    int size = 0;
    try {
        size = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || size < 16 || size > 1024)
        throw std::invalid_argument("'" + text + "' is not an icon size from 16 to 1024");
    return size;
}

void WritePreview(const std::vector<IconCanvas>& icons, const std::string& path) {
    constexpr int Gap = 8;
    int width = Gap;
    int height = 0;
    for (const IconCanvas& icon : icons) {
        width += icon.Width() + Gap;
        height = std::max(height, icon.Height());
    }
    const int row = height + 2 * Gap;
    IconCanvas sheet(width, 2 * row);
    sheet.Fill([row, width](double, double y) { return y * width < row; }, Colour(0xF2F4F7));
    sheet.Fill([row, width](double, double y) { return y * width >= row; }, Colour(0x2B3038));
    for (int ground = 0; ground < 2; ++ground) {
        int x = Gap;
        for (const IconCanvas& icon : icons) {
            sheet.Draw(icon, x, ground * row + Gap + height - icon.Height());
            x += icon.Width() + Gap;
        }
    }
    sheet.WritePng(path);
}

int Run(const std::vector<std::string>& args) {
    std::string preview;
    std::string folder;
    std::vector<int> sizes;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (args[i] == "--preview" && i + 1 < args.size())
            preview = args[++i];
        else if (args[i].starts_with("--"))
            throw std::invalid_argument("unexpected argument '" + args[i] + "'");
        else if (folder.empty())
            folder = args[i];
        else
            sizes.push_back(ParseSize(args[i]));
    }
    if (sizes.empty())
        throw std::invalid_argument("no folder and size named");
    std::vector<IconCanvas> icons;
    for (int size : sizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const fs::path apps = fs::path(folder) / name / "apps";
        fs::create_directories(apps);
        icons.push_back(DrawQuillmereIcon(size));
        icons.back().WritePng((apps / "quillmere.png").string());
    }
    if (!preview.empty())
        WritePreview(icons, preview);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "iconbuilder: " << error.what() << "\n\n" << Usage;
    } catch (const std::exception& error) {
        std::cerr << "iconbuilder: " << error.what() << "\n";
    }
    return EXIT_FAILURE;
}
