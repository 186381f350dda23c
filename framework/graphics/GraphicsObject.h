#pragma once
// TGraphicsObject: the base of the font, brush and pen. Each keeps its drawing object handle
// made on demand from its properties, drops it when a property changes and tells its owner
// (a canvas, a control) through OnChange.

#include "framework/classes/Events.h"
#include "framework/classes/Persistent.h"

class TGraphicsObject : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TNotifyEvent OnChange;

protected:
    // Drops the handle (the next use makes a new one) and raises OnChange.
    void Changed();
    virtual void FreeHandle() = 0;
};
