#pragma once
// TPersistent: an object whose state can be copied from another with Assign, and whose
// published properties are reachable by name.

#include "framework/classes/Classes.h"

#include "core/Exception.h"

// Raised when an Assign between two classes has no meaning.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class TPersistent : public TObject {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    // Copies the source's state. A class that knows the source's class overrides it; else the
    // source is asked to copy itself over this object (AssignTo), and when neither knows the
    // other EConvertError ("Cannot assign a TFont to a TBrush") is raised.
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};
