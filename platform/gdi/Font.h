#pragma once
// Font objects: the logical font the program asked for. The face that renders it is found
// when the font is first used for text (FontLibrary) and kept with the object.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/WinGdi.h"

#include <memory>

namespace platform {

class Font : public GdiObject {
public:
    explicit Font(const LOGFONTW& logical);
    ~Font() override;

    DWORD ObjectType() const override;

    const LOGFONTW& Logical() const { return m_logical; }
    LOGFONTA LogicalA() const;

private:
    LOGFONTW m_logical;
};

} // namespace platform
