#include "platform/gdi/TextSupport.h"

#include "platform/base/CodePage.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/StockObjects.h"

namespace platform {

const FontInstance& FontOf(const DeviceContext& dc) {
    const Font* font = dc.State().font ? dc.State().font : static_cast<const Font*>(StockObject(SYSTEM_FONT));
    return font->Instance();
}

GbkText WidenGbk(std::string_view gbk) {
    GbkText result;
    std::vector<int> characterStarts;
    for (std::size_t i = 0; i < gbk.size();) {
        characterStarts.push_back(static_cast<int>(i));
        i += (IsGbkLeadByte(static_cast<BYTE>(gbk[i])) && i + 1 < gbk.size()) ? 2 : 1;
    }
    result.text = GbkToUtf16(gbk);
    if (result.text.size() != characterStarts.size()) {
        // An unusual sequence: convert character by character so units and bytes stay paired.
        result.text.clear();
        for (std::size_t c = 0; c < characterStarts.size(); ++c) {
            const std::size_t begin = static_cast<std::size_t>(characterStarts[c]);
            const std::size_t end = c + 1 < characterStarts.size()
                                        ? static_cast<std::size_t>(characterStarts[c + 1])
                                        : gbk.size();
            const std::u16string unit = GbkToUtf16(gbk.substr(begin, end - begin));
            result.text.push_back(unit.size() == 1 ? unit[0] : u'?');
        }
    }
    result.byteIndex = std::move(characterStarts);
    result.byteIndex.push_back(static_cast<int>(gbk.size()));
    return result;
}

} // namespace platform
