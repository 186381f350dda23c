#include "framework/classes/Persistent.h"

#include "core/Format.h"

const TClass& TPersistent::ClassInfo() {
    static const TClass info("TPersistent", &TObject::ClassInfo());
    return info;
}

void TPersistent::Assign(const TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError(Format("Cannot assign a nil to a %s", ClassName().c_str()));
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError(Format("Cannot assign a %s to a %s", ClassName().c_str(), dest->ClassName().c_str()));
}
