// skinbuilder: draws a skin design's bitmaps from code, writes its description and packs both
// into a skin archive; with --sources it also leaves the files for a person to look at.

#include "SkinDescription.h"
#include "SkinImages.h"
#include "SkinTheme.h"

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/PngWriter.h"
#include "skin/data/SkinWrite.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace skinbuilder;

constexpr const char* Usage = R"(Usage:
  skinbuilder [--design NAME] [--sources DIR] [--preview PNG] ARCHIVE
      draws the design (default, dark or rectangular; default unless named) and writes it
      as a skin archive to ARCHIVE; with --sources, also writes skin.ini and the bitmaps to
      DIR; with --preview, a PNG of every bitmap enlarged three times
  skinbuilder --help
)";

constexpr std::int32_t ArchiveVersion = 20000;

TSkinDesign DesignNamed(const std::string& name) {
    if (name == "default")
        return LightDesign();
    if (name == "dark")
        return DarkDesign();
    if (name == "rectangular")
        return RectangularDesign();
    throw std::runtime_error("unknown design '" + name + "' (default, dark or rectangular)");
}

std::vector<TSkinImage> SkinImages(const TSkinDesign& design) {
    std::vector<TSkinImage> images;
    DrawFrameImages(design, images);
    DrawControlImages(design, images);
    return images;
}

// Every image enlarged three times on a grey sheet, magenta shown as a light checker board.
void WritePreview(const std::vector<TSkinImage>& images, const std::string& path) {
    constexpr int zoom = 3, gap = 12, sheetWidth = 1000;
    int x = gap, y = gap, rowHeight = 0;
    std::vector<std::pair<int, int>> places;
    for (const TSkinImage& image : images) {
        const int width = image.canvas.Width() * zoom, height = image.canvas.Height() * zoom;
        if (x + width + gap > sheetWidth && x > gap)
            x = gap, y += rowHeight + gap, rowHeight = 0;
        places.emplace_back(x, y);
        x += width + gap;
        rowHeight = std::max(rowHeight, height);
    }
    platform::PixelSurface sheet(sheetWidth, y + rowHeight + gap);
    sheet.Fill(0x808890);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const TSkinCanvas& canvas = images[i].canvas;
        for (int py = 0; py < canvas.Height() * zoom; ++py)
            for (int px = 0; px < canvas.Width() * zoom; ++px) {
                Pixel pixel = canvas.At(px / zoom, py / zoom);
                if (pixel == Magenta)
                    pixel = ((px / 6 + py / 6) % 2) ? 0xE8E8E8 : 0xC8C8C8;
                sheet.Set(places[i].first + px, places[i].second + py, pixel);
            }
    }
    if (!platform::WritePng(sheet, nullptr, path))
        throw std::runtime_error("cannot write '" + path + "'");
}

std::vector<TSkinEntry> SkinEntries(const TSkinDesign& design, const std::vector<TSkinImage>& images) {
    std::vector<TSkinEntry> entries;
    const std::string description = DescribeSkin(design);
    entries.push_back({"skin.ini", std::vector<std::uint8_t>(description.begin(), description.end())});
    for (const TSkinImage& image : images)
        entries.push_back({image.file, platform::EncodeBmp(image.canvas.Pixels(), 24)});
    return entries;
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write '" + path.string() + "'");
}

int Run(const std::vector<std::string>& args) {
    std::string design = "default";
    std::string sources;
    std::string preview;
    std::string archive;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (args[i] == "--design" && i + 1 < args.size())
            design = args[++i];
        else if (args[i] == "--sources" && i + 1 < args.size())
            sources = args[++i];
        else if (args[i] == "--preview" && i + 1 < args.size())
            preview = args[++i];
        else if (archive.empty() && !args[i].starts_with("--"))
            archive = args[i];
        else
            throw std::invalid_argument("unexpected argument '" + args[i] + "'");
    }
    if (archive.empty())
        throw std::invalid_argument("no archive named");
    const TSkinDesign chosen = DesignNamed(design);
    const std::vector<TSkinImage> images = SkinImages(chosen);
    const std::vector<TSkinEntry> entries = SkinEntries(chosen, images);
    if (!preview.empty())
        WritePreview(images, preview);
    if (!sources.empty()) {
        fs::create_directories(sources);
        for (const TSkinEntry& entry : entries)
            WriteFile(fs::path(sources) / entry.Name, entry.Data);
    }
    WriteFile(archive, PackSkinImage(BuildSkinImage(ArchiveVersion, entries)));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "skinbuilder: " << error.what() << "\n" << Usage;
    } catch (const std::exception& error) {
        std::cerr << "skinbuilder: " << error.what() << "\n";
    }
    return 1;
}
