#include "framework/FrameworkClasses.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"

void RegisterFrameworkClasses() {
    static const bool registered = [] {
        for (const TClass* type :
             {&TObject::ClassInfo(), &TPersistent::ClassInfo(), &TGraphicsObject::ClassInfo(),
              &TFont::ClassInfo(), &TBrush::ClassInfo(), &TPen::ClassInfo(), &TCanvas::ClassInfo(),
              &TGraphic::ClassInfo(), &TBitmap::ClassInfo(), &TIcon::ClassInfo(), &TPicture::ClassInfo()})
            RegisterClass(*type);
        return true;
    }();
    (void)registered;
}
