#include "platform/gdi/Font.h"

#include "platform/base/CodePage.h"
#include "platform/gdi/FontLibrary.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace platform {

Font::Font(const LOGFONTW& logical) : m_logical(logical) {
    m_logical.lfFaceName[LF_FACESIZE - 1] = 0;
}

Font::~Font() = default;

DWORD Font::ObjectType() const {
    return OBJ_FONT;
}

LOGFONTA Font::LogicalA() const {
    LOGFONTA narrow{};
    std::memcpy(&narrow, &m_logical, offsetof(LOGFONTA, lfFaceName));
    std::u16string face;
    for (int i = 0; i < LF_FACESIZE && m_logical.lfFaceName[i]; ++i)
        face.push_back(m_logical.lfFaceName[i]);
    std::string gbk = Utf16ToGbk(face);
    std::memcpy(narrow.lfFaceName, gbk.data(), std::min<std::size_t>(gbk.size(), LF_FACESIZE - 1));
    return narrow;
}

const FontInstance& Font::Instance() const {
    if (!m_instance)
        m_instance = FontLibrary::Get().Realize(m_logical);
    return *m_instance;
}

} // namespace platform
