#pragma once
// TPen: the line of shapes: colour, width, style, and the mix mode the canvas draws it with.

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/GraphicsObject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

const TEnumInfo& PenStyleIdents();
const TEnumInfo& PenModeIdents();
// The platform's R2_ mix of a pen mode.
int PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    void Assign(const TPersistent* source) override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);

    HPEN Handle();
    // Takes over a pen handle and its description.
    void SetHandle(HPEN pen);
    bool HandleAllocated() const { return static_cast<bool>(m_handle); }

protected:
    void FreeHandle() override { m_handle.Reset(); }

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
    TGdiHandle<HPEN> m_handle;
};
