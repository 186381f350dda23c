#include "framework/graphics/GraphicsObject.h"

const TClass& TGraphicsObject::ClassInfo() {
    static const TClass info("TGraphicsObject", &TPersistent::ClassInfo());
    return info;
}

void TGraphicsObject::Changed() {
    FreeHandle();
    if (OnChange)
        OnChange(this);
}
