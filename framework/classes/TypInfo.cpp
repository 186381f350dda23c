#include "framework/classes/TypInfo.h"

#include "core/SysUtils.h"
#include "core/TextUtils.h"
#include "platform/base/CodePage.h"

namespace {

const TPropInfo* Find(const TObject* object, std::string_view name, TTypeKind kind) {
    const TPropInfo* info = GetPropInfo(object, name);
    return info && info->Kind == kind ? info : nullptr;
}

std::string SetToText(const TEnumInfo& idents, std::int64_t mask) {
    std::string text = "[";
    for (std::size_t bit = 0; bit < idents.names.size() && bit < 64; ++bit) {
        if ((mask >> bit) & 1) {
            if (text.size() > 1)
                text += ',';
            text += idents.names[bit];
        }
    }
    return text + "]";
}

// The mask of "[a, b]" (brackets optional); false when a member is unknown.
bool TextToSet(const TEnumInfo& idents, std::string_view text, std::int64_t& mask) {
    std::string body = Trim(text);
    if (!body.empty() && body.front() == '[')
        body.erase(0, 1);
    if (!body.empty() && body.back() == ']')
        body.pop_back();
    mask = 0;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find(',', start);
        if (end == std::string::npos)
            end = body.size();
        const std::string member = Trim(std::string_view(body).substr(start, end - start));
        if (!member.empty()) {
            const int index = idents.IndexOf(member);
            if (index < 0 || index >= 64)
                return false;
            mask |= std::int64_t{1} << index;
        }
        start = end + 1;
    }
    return true;
}

} // namespace

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name) {
    return object ? object->ClassType().FindProperty(name) : nullptr;
}

bool IsPublishedProp(const TObject* object, std::string_view name) {
    return GetPropInfo(object, name) != nullptr;
}

bool PropIsKind(const TObject* object, std::string_view name, TTypeKind kind) {
    return Find(object, name, kind) != nullptr;
}

std::int64_t GetOrdProp(const TObject* object, std::string_view name) {
    const TPropInfo* info = GetPropInfo(object, name);
    return info && info->IsOrdinal() ? info->GetOrd(*object) : -1;
}

bool SetOrdProp(TObject* object, std::string_view name, std::int64_t value) {
    const TPropInfo* info = GetPropInfo(object, name);
    if (!info || !info->IsOrdinal() || !info->SetOrd)
        return false;
    info->SetOrd(*object, value);
    return true;
}

std::string GetEnumProp(const TObject* object, std::string_view name) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkEnumeration);
    return info ? info->Enum->NameOf(info->GetOrd(*object)) : std::string();
}

bool SetEnumProp(TObject* object, std::string_view name, std::string_view identifier) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkEnumeration);
    if (!info || !info->SetOrd)
        return false;
    const int value = info->Enum->IndexOf(Trim(identifier));
    if (value < 0)
        return false;
    info->SetOrd(*object, value);
    return true;
}

std::string GetSetProp(const TObject* object, std::string_view name) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkSet);
    return info ? SetToText(*info->Enum, info->GetOrd(*object)) : std::string();
}

bool SetSetProp(TObject* object, std::string_view name, std::string_view text) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkSet);
    std::int64_t mask = 0;
    if (!info || !info->SetOrd || !TextToSet(*info->Enum, text, mask))
        return false;
    info->SetOrd(*object, mask);
    return true;
}

std::string GetStrProp(const TObject* object, std::string_view name) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkString);
    return info ? info->GetStr(*object) : std::string();
}

std::u16string GetWideStrProp(const TObject* object, std::string_view name) {
    return platform::GbkToUtf16(GetStrProp(object, name));
}

bool SetStrProp(TObject* object, std::string_view name, const std::string& value) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkString);
    if (!info || !info->SetStr)
        return false;
    info->SetStr(*object, value);
    return true;
}

TObject* GetObjectProp(const TObject* object, std::string_view name, const TClass* type) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkClass);
    if (!info)
        return nullptr;
    TObject* value = info->GetObjectValue(*object);
    if (value && type && !value->InheritsFrom(*type))
        return nullptr;
    return value;
}

bool SetObjectProp(TObject* object, std::string_view name, TObject* value) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkClass);
    if (!info || !info->SetObjectValue || (value && !value->InheritsFrom(*info->ObjectClass)))
        return false;
    info->SetObjectValue(*object, value);
    return true;
}

std::any GetMethodProp(const TObject* object, std::string_view name) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkMethod);
    return info ? info->GetMethod(*object) : std::any();
}

bool SetMethodProp(TObject* object, std::string_view name, const std::any& handler) {
    const TPropInfo* info = Find(object, name, TTypeKind::tkMethod);
    if (!info)
        return false;
    info->SetMethod(*object, handler);
    return true;
}

bool SetPropValue(TObject* object, std::string_view name, std::string_view text) {
    const TPropInfo* info = GetPropInfo(object, name);
    if (!info)
        return false;
    switch (info->Kind) {
    case TTypeKind::tkInteger: {
        int value = 0;
        return TryStrToInt(text, value) && SetOrdProp(object, name, value);
    }
    case TTypeKind::tkEnumeration:
        return SetEnumProp(object, name, text);
    case TTypeKind::tkSet:
        return SetSetProp(object, name, text);
    case TTypeKind::tkString:
        return SetStrProp(object, name, std::string(text));
    default:
        return false;
    }
}

std::string GetPropValue(const TObject* object, std::string_view name) {
    const TPropInfo* info = GetPropInfo(object, name);
    if (!info)
        return {};
    switch (info->Kind) {
    case TTypeKind::tkInteger:
        return std::to_string(info->GetOrd(*object));
    case TTypeKind::tkEnumeration:
        return GetEnumProp(object, name);
    case TTypeKind::tkSet:
        return GetSetProp(object, name);
    case TTypeKind::tkString:
        return GetStrProp(object, name);
    default:
        return {};
    }
}
