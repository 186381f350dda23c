#pragma once
// TBrush: the fill of shapes and backgrounds: a colour with a style (solid, clear or a
// hatch), or a pattern bitmap, and the brush handle made from them.

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/GraphicsObject.h"

class TBitmap;

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

const TEnumInfo& BrushStyleIdents();

class TBrush : public TGraphicsObject {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    void Assign(const TPersistent* source) override;

    TColor Color() const { return m_color; }
    // Setting a colour makes a clear brush solid.
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);
    // A pattern bitmap, borrowed: it must outlive the brush's use of it. Null for none.
    TBitmap* Bitmap() const { return m_bitmap; }
    void SetBitmap(TBitmap* bitmap);

    HBRUSH Handle();
    // Takes over a brush handle and its description.
    void SetHandle(HBRUSH brush);
    bool HandleAllocated() const { return static_cast<bool>(m_handle); }

protected:
    void FreeHandle() override { m_handle.Reset(); }

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
    TBitmap* m_bitmap = nullptr;
    TGdiHandle<HBRUSH> m_handle;
};
