#include "platform/gdi/FontLibrary.h"

#include "platform/base/CodePage.h"

#include <fontconfig/fontconfig.h>

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <dirent.h>
#include <set>

namespace platform {

namespace {

// Where Debian's xfonts-wqy puts the "WenQuanYi Bitmap Song" strikes.
constexpr const char* BitmapSongDirectory = "/usr/share/fonts/X11/misc";
constexpr const char* BitmapSongPrefix = "wenquanyi_";
constexpr const char* SongFamily = "AR PL UMing CN";
constexpr const char* HeiFamily = "WenQuanYi Zen Hei";
constexpr int DefaultEmPixels = 12;
constexpr int LargestEmPixels = 1000;
// Below this size glyphs are drawn without smoothing, as the classic look has them.
constexpr int LargestCrispEmPixels = 16;

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::u16string FaceNameOf(const LOGFONTW& logical) {
    std::u16string name;
    for (int i = 0; i < LF_FACESIZE && logical.lfFaceName[i]; ++i)
        name.push_back(logical.lfFaceName[i]);
    return name;
}

// Face names (lower case, UTF-8) that mean the system's Song face on a Chinese system.
bool IsSongName(const std::string& name) {
    static const std::set<std::string> names = {"",
                                                "\xE5\xAE\x8B\xE4\xBD\x93",
                                                "simsun",
                                                "\xE6\x96\xB0\xE5\xAE\x8B\xE4\xBD\x93",
                                                "nsimsun",
                                                "system",
                                                "ms shell dlg",
                                                "ms shell dlg 2",
                                                "fixedsys"};
    return names.count(name) > 0;
}

bool IsHeiName(const std::string& name) {
    static const std::set<std::string> names = {"\xE9\xBB\x91\xE4\xBD\x93", "simhei",
                                                "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91",
                                                "microsoft yahei"};
    return names.count(name) > 0;
}

// The fontconfig family for a Latin face name: the name itself, or a generic family where the
// name or the pitch and family bits say which.
std::string GenericFamily(const std::string& name, BYTE pitchAndFamily) {
    if (name.find("courier") != std::string::npos || name.find("mono") != std::string::npos ||
        name == "terminal" || (pitchAndFamily & 0x03) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN)
        return "monospace";
    if (name.find("times") != std::string::npos || (pitchAndFamily & 0xF0) == FF_ROMAN)
        return "serif";
    return "sans-serif";
}

int Round26Dot6(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

// The em size in pixels for a logical height: negative heights are character heights (the
// em), positive ones cell heights (ascent + descent, from the face's Windows metrics).
int EmPixelsFor(LONG height, FT_Face outline) {
    if (height < 0)
        return std::clamp<int>(-height, 1, LargestEmPixels);
    if (height == 0)
        return DefaultEmPixels;
    int cell = outline ? outline->ascender - outline->descender : 0;
    if (outline) {
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(outline, FT_SFNT_OS2));
            os2 && os2->usWinAscent + os2->usWinDescent > 0)
            cell = os2->usWinAscent + os2->usWinDescent;
    }
    if (!outline || cell <= 0)
        return std::clamp<int>(height, 1, LargestEmPixels);
    const double em = double(height) * outline->units_per_EM / cell;
    return std::clamp(static_cast<int>(std::lround(em)), 1, LargestEmPixels);
}

FontMetrics MeasureFace(const SizedFace& sized) {
    FontMetrics metrics;
    FT_Face face = sized.face;
    if (sized.strikeIndex >= 0) {
        FT_Select_Size(face, sized.strikeIndex);
        metrics.ascent = Round26Dot6(face->size->metrics.ascender);
        metrics.descent = Round26Dot6(-face->size->metrics.descender);
        metrics.underlinePosition = std::max(1, metrics.descent / 2);
        metrics.lineThickness = 1;
    } else {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(sized.pixelSize));
        const double scale = double(sized.pixelSize) / face->units_per_EM;
        int ascent = face->ascender;
        int descent = -face->descender;
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            ascent = os2->usWinAscent;
            descent = os2->usWinDescent;
        }
        metrics.ascent = static_cast<int>(std::lround(ascent * scale));
        metrics.descent = static_cast<int>(std::lround(descent * scale));
        metrics.underlinePosition =
            std::max(1, static_cast<int>(std::lround(-face->underline_position * scale)));
        metrics.lineThickness = std::max(1, static_cast<int>(std::lround(face->underline_thickness * scale)));
    }
    metrics.underlinePosition = std::min(metrics.underlinePosition, std::max(1, metrics.descent - 1));
    metrics.internalLeading = std::max(0, metrics.Height() - sized.pixelSize);
    metrics.strikeOutPosition = std::max(1, sized.pixelSize * 3 / 10);
    return metrics;
}

} // namespace

FontLibrary& FontLibrary::Get() {
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary() {
    FT_Init_FreeType(&m_library);
    FcInit();
}

FontLibrary::~FontLibrary() {
    m_instances.clear();
    for (auto& [key, face] : m_open) {
        if (face)
            FT_Done_Face(face);
    }
    FT_Done_FreeType(m_library);
    FcFini();
}

FT_Face FontLibrary::Open(const FaceFile& file) {
    const auto key = std::make_pair(file.path, file.index);
    auto found = m_open.find(key);
    if (found != m_open.end())
        return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(m_library, file.path.c_str(), file.index, &face) != 0)
        face = nullptr;
    m_open.emplace(key, face);
    return face;
}

std::optional<FontLibrary::FaceFile> FontLibrary::Match(const std::string& family, int weight, bool italic,
                                                        bool exactFamily) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= FW_SEMIBOLD ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;
    std::optional<FaceFile> file;
    FcChar8* path = nullptr;
    FcChar8* matchedFamily = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
        FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        const bool sameFamily =
            LowerAscii(reinterpret_cast<const char*>(matchedFamily)) == LowerAscii(family);
        if (!exactFamily || sameFamily)
            file = FaceFile{reinterpret_cast<const char*>(path), index};
    }
    FcPatternDestroy(match);
    return file;
}

std::vector<FT_Face> FontLibrary::BitmapSongStrikes() {
    if (m_bitmapSong)
        return *m_bitmapSong;
    std::vector<FT_Face> strikes;
    if (DIR* directory = opendir(BitmapSongDirectory)) {
        std::vector<std::string> names;
        while (dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name.rfind(BitmapSongPrefix, 0) == 0 && name.size() > 4 &&
                name.substr(name.size() - 4) == ".pcf")
                names.push_back(name);
        }
        closedir(directory);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            FT_Face face = Open(FaceFile{std::string(BitmapSongDirectory) + "/" + name, 0});
            if (face && face->num_fixed_sizes > 0)
                strikes.push_back(face);
        }
    }
    m_bitmapSong = strikes;
    return strikes;
}

std::vector<SizedFace> FontLibrary::Chain(Kind kind, const std::string& family, const LOGFONTW& logical,
                                          int& emPixels) {
    std::vector<SizedFace> faces;
    const int weight = logical.lfWeight == 0 ? FW_NORMAL : logical.lfWeight;
    const bool italic = logical.lfItalic != 0;

    // A bitmap strike serves only at exactly its own size.
    if (kind == Kind::Song) {
        for (FT_Face strike : BitmapSongStrikes()) {
            FT_Select_Size(strike, 0);
            const int ppem = static_cast<int>((strike->available_sizes[0].y_ppem + 32) >> 6);
            const int cell = Round26Dot6(strike->size->metrics.ascender - strike->size->metrics.descender);
            const bool fits = logical.lfHeight < 0   ? ppem == -logical.lfHeight
                              : logical.lfHeight > 0 ? cell == logical.lfHeight
                                                     : ppem == DefaultEmPixels;
            if (fits) {
                faces.push_back(SizedFace{strike, 0, ppem});
                break;
            }
        }
    }

    std::vector<std::optional<FaceFile>> outlines;
    switch (kind) {
    case Kind::Song:
        outlines = {Match(SongFamily, weight, italic, true), Match(HeiFamily, weight, italic, true),
                    Match("sans-serif", weight, italic, false)};
        break;
    case Kind::Hei:
        outlines = {Match(HeiFamily, weight, italic, true), Match(SongFamily, weight, italic, true),
                    Match("sans-serif", weight, italic, false)};
        break;
    case Kind::Other:
        outlines = {Match(family, weight, italic, true),
                    Match(GenericFamily(family, logical.lfPitchAndFamily), weight, italic, false),
                    Match(SongFamily, weight, italic, true), Match(HeiFamily, weight, italic, true)};
        break;
    }
    FT_Face firstOutline = nullptr;
    std::vector<FT_Face> outlineFaces;
    for (const auto& file : outlines) {
        FT_Face face = file ? Open(*file) : nullptr;
        if (face && std::find(outlineFaces.begin(), outlineFaces.end(), face) == outlineFaces.end()) {
            outlineFaces.push_back(face);
            if (!firstOutline)
                firstOutline = face;
        }
    }
    emPixels = faces.empty() ? EmPixelsFor(logical.lfHeight, firstOutline) : faces.front().pixelSize;
    for (FT_Face face : outlineFaces)
        faces.push_back(SizedFace{face, -1, emPixels});
    return faces;
}

std::shared_ptr<const FontInstance> FontLibrary::Realize(const LOGFONTW& logical) {
    const std::u16string faceName = FaceNameOf(logical);
    std::string key = Utf16ToUtf8(faceName);
    for (LONG value : {logical.lfHeight, logical.lfWeight, LONG(logical.lfItalic), LONG(logical.lfUnderline),
                       LONG(logical.lfStrikeOut), LONG(logical.lfCharSet), LONG(logical.lfQuality),
                       LONG(logical.lfPitchAndFamily)})
        key.append("|").append(std::to_string(value));
    if (auto found = m_instances.find(key); found != m_instances.end())
        return found->second;

    std::string name = LowerAscii(Trim(Utf16ToUtf8(faceName)));
    if (!name.empty() && name[0] == '@') // vertical variants draw like the face itself here
        name.erase(0, 1);
    const Kind kind = IsSongName(name) ? Kind::Song : IsHeiName(name) ? Kind::Hei : Kind::Other;
    int emPixels = DefaultEmPixels;
    std::vector<SizedFace> faces = Chain(kind, name, logical, emPixels);

    FontMetrics metrics;
    bool emboldened = false;
    bool slanted = false;
    const int weight = logical.lfWeight == 0 ? FW_NORMAL : logical.lfWeight;
    if (!faces.empty()) {
        metrics = MeasureFace(faces.front());
        FT_Face primary = faces.front().face;
        emboldened = weight >= FW_SEMIBOLD && !(primary->style_flags & FT_STYLE_FLAG_BOLD);
        slanted = logical.lfItalic && !(primary->style_flags & FT_STYLE_FLAG_ITALIC);
        const bool outline = faces.front().strikeIndex < 0;
        metrics.pitchAndFamily = static_cast<BYTE>((logical.lfPitchAndFamily & 0xF0) |
                                                   (FT_IS_FIXED_WIDTH(primary) ? 0 : TMPF_FIXED_PITCH) |
                                                   (outline ? TMPF_VECTOR | TMPF_TRUETYPE : 0));
    } else {
        metrics.ascent = emPixels;
        metrics.descent = emPixels / 4;
    }
    metrics.weight = weight;
    metrics.italic = logical.lfItalic != 0;
    metrics.underline = logical.lfUnderline != 0;
    metrics.strikeOut = logical.lfStrikeOut != 0;
    metrics.charSet = logical.lfCharSet != DEFAULT_CHARSET ? logical.lfCharSet
                      : kind == Kind::Other                ? ANSI_CHARSET
                                                           : GB2312_CHARSET;
    const bool monochrome = logical.lfQuality == NONANTIALIASED_QUALITY ||
                            (logical.lfQuality != ANTIALIASED_QUALITY &&
                             logical.lfQuality != CLEARTYPE_QUALITY && emPixels <= LargestCrispEmPixels);
    const std::u16string reportedName = faceName.empty() ? u"\u5B8B\u4F53" : faceName;
    auto instance = std::make_shared<FontInstance>(std::move(faces), metrics, reportedName, monochrome,
                                                   emboldened, slanted);
    m_instances.emplace(key, instance);
    return instance;
}

} // namespace platform
