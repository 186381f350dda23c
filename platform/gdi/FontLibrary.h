#pragma once
// Finds the faces that render a logical font, through fontconfig and FreeType.
//
// The platform's Chinese face names are mapped here, since fontconfig does not know them:
// "宋体", "SimSun", "新宋体" and the system's default faces become the Song (Ming) chain: the
// "WenQuanYi Bitmap Song" strikes (PCF files loaded by path, since the system's fontconfig
// set-up hides bitmap fonts) when one has exactly the size asked for, then "AR PL UMing CN",
// then "WenQuanYi Zen Hei" and the default sans face. "黑体", "SimHei" and "微软雅黑" start with
// Zen Hei. Any other name goes to fontconfig, with the Song chain behind it for Chinese
// characters.

#include "platform/gdi/FontInstance.h"
#include "platform/gdi/WinGdi.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FontLibrary {
public:
    static FontLibrary& Get();

    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    std::shared_ptr<const FontInstance> Realize(const LOGFONTW& logical);

private:
    FontLibrary();
    ~FontLibrary();

    struct FaceFile {
        std::string path;
        int index = 0;
    };

    enum class Kind { Song, Hei, Other };

    FT_Face Open(const FaceFile& file);
    std::optional<FaceFile> Match(const std::string& family, int weight, bool italic, bool exactFamily);
    std::vector<FT_Face> BitmapSongStrikes();
    std::vector<SizedFace> Chain(Kind kind, const std::string& family, const LOGFONTW& logical,
                                 int& emPixels);

    FT_Library m_library = nullptr;
    std::map<std::pair<std::string, int>, FT_Face> m_open;
    std::optional<std::vector<FT_Face>> m_bitmapSong;
    std::map<std::string, std::shared_ptr<const FontInstance>> m_instances;
};

} // namespace platform
