#include "platform/gdi/BuiltinBitmaps.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <strings.h>
#include <vector>

namespace platform {

namespace {

// Reads one picture text; a malformed one is a build mistake and stops the program at once.
BuiltinBitmap Parse(const BuiltinBitmapText& source) {
    BuiltinBitmap bitmap;
    std::map<char, Pixel> colours;
    std::vector<std::string> rows;
    std::istringstream input(source.text);
    std::string line;
    bool inRows = false;
    while (std::getline(input, line)) {
        if (inRows) {
            if (!line.empty())
                rows.push_back(line);
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "name") {
            words >> bitmap.name;
        } else if (keyword == "system") {
            words >> bitmap.systemId;
        } else if (keyword == "bits") {
            words >> bitmap.bitsPerPixel;
        } else if (keyword == "colour") {
            std::string symbol;
            std::string value;
            words >> symbol >> value;
            colours[symbol.at(0)] = static_cast<Pixel>(std::stoul(value, nullptr, 16));
        } else if (keyword == "rows") {
            inRows = true;
        }
    }
    if (rows.empty() || bitmap.bitsPerPixel == 0)
        throw std::logic_error(std::string("built-in bitmap without rows or depth: ") + source.fileName);
    const int width = static_cast<int>(rows[0].size());
    bitmap.pixels = std::make_unique<PixelSurface>(width, static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.pixels->Height(); ++y) {
        const std::string& row = rows[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != width)
            throw std::logic_error(std::string("built-in bitmap with uneven rows: ") + source.fileName);
        for (int x = 0; x < width; ++x)
            bitmap.pixels->Set(x, y, colours.at(row[static_cast<std::size_t>(x)]));
    }
    return bitmap;
}

const std::vector<BuiltinBitmap>& All() {
    static const std::vector<BuiltinBitmap> bitmaps = [] {
        std::vector<BuiltinBitmap> parsed;
        for (std::size_t i = 0; i < BuiltinBitmapTextCount; ++i)
            parsed.push_back(Parse(BuiltinBitmapTexts[i]));
        return parsed;
    }();
    return bitmaps;
}

} // namespace

const BuiltinBitmap* FindBuiltinBitmap(const std::string& name) {
    for (const BuiltinBitmap& bitmap : All()) {
        if (!bitmap.name.empty() && strcasecmp(bitmap.name.c_str(), name.c_str()) == 0)
            return &bitmap;
    }
    return nullptr;
}

const BuiltinBitmap* FindSystemBitmap(WORD id) {
    for (const BuiltinBitmap& bitmap : All()) {
        if (bitmap.name.empty() && bitmap.systemId == id)
            return &bitmap;
    }
    return nullptr;
}

} // namespace platform
