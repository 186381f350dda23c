#pragma once
// Font objects: the logical font the program asked for. The face that renders it is found
// when the font is first used for text (FontLibrary) and kept with the object.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/WinGdi.h"

#include <memory>

namespace platform {

class FontInstance;

class Font : public GdiObject {
public:
    explicit Font(const LOGFONTW& logical);
    ~Font() override;

    DWORD ObjectType() const override;

    const LOGFONTW& Logical() const { return m_logical; }
    LOGFONTA LogicalA() const;

    // The realised font; an unknown face name falls back to the system's faces.
    const FontInstance& Instance() const;

private:
    LOGFONTW m_logical;
    mutable std::shared_ptr<const FontInstance> m_instance;
};

} // namespace platform
