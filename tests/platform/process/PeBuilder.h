#pragma once
// Builds small PE images with a version resource, for tests of the version calls and of the
// file descriptions the listings show.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace platform::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutWord(Bytes& out, std::size_t at, std::size_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutDword(Bytes& out, std::size_t at, std::uint32_t value) {
    PutWord(out, at, value & 0xFFFF);
    PutWord(out, at + 2, value >> 16);
}

inline void Align(Bytes& out) {
    out.resize((out.size() + 3) & ~std::size_t(3), 0);
}

// A node of a version resource as executables store it: UTF-16 keys and texts.
struct ResourceNode {
    std::u16string key;
    bool isText = true;
    std::u16string text;
    Bytes bytes;
    std::vector<ResourceNode> children;

    void AppendTo(Bytes& out) const {
        std::size_t start = out.size();
        out.resize(start + 6, 0);
        for (char16_t c : key + u'\0') {
            out.push_back(static_cast<std::uint8_t>(c));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        Align(out);
        std::size_t valueLength = 0;
        if (isText && !(text.empty() && !children.empty())) {
            for (char16_t c : text + u'\0') {
                out.push_back(static_cast<std::uint8_t>(c));
                out.push_back(static_cast<std::uint8_t>(c >> 8));
            }
            valueLength = text.size() + 1;
        } else if (!isText) {
            out.insert(out.end(), bytes.begin(), bytes.end());
            valueLength = bytes.size();
        }
        for (const ResourceNode& child : children) {
            Align(out);
            child.AppendTo(out);
        }
        PutWord(out, start, out.size() - start);
        PutWord(out, start + 2, valueLength);
        PutWord(out, start + 4, isText ? 1 : 0);
    }
};

inline ResourceNode VersionResource(std::u16string table, std::vector<ResourceNode> strings) {
    Bytes fixed(52, 0);
    PutDword(fixed, 0, 0xFEEF04BD);
    PutDword(fixed, 8, 0x00020001); // 2.1
    ResourceNode translation{u"Translation", false, {}, {0x04, 0x08, 0xB0, 0x04}, {}};
    return ResourceNode{
        u"VS_VERSION_INFO",
        false,
        {},
        fixed,
        {ResourceNode{u"StringFileInfo", true, {}, {}, {ResourceNode{table, true, {}, {}, strings}}},
         ResourceNode{u"VarFileInfo", true, {}, {}, {translation}}}};
}

// A PE32 image with one section, ".rsrc", whose resource directory leads to the version data.
inline Bytes PeImage(const Bytes& version) {
    constexpr std::uint32_t SectionRva = 0x1000;
    constexpr std::size_t SectionOffset = 0x200;
    Bytes image(SectionOffset, 0);
    image[0] = 'M';
    image[1] = 'Z';
    PutDword(image, 0x3C, 0x40);
    std::memcpy(&image[0x40], "PE\0\0", 4);
    std::size_t coff = 0x44;
    PutWord(image, coff, 0x14C);
    PutWord(image, coff + 2, 1);    // sections
    PutWord(image, coff + 16, 224); // optional header
    std::size_t optional = coff + 20;
    PutWord(image, optional, 0x10B);
    PutDword(image, optional + 92, 16);
    PutDword(image, optional + 96 + 16, SectionRva); // resource directory
    std::size_t section = optional + 224;
    std::memcpy(&image[section], ".rsrc", 5);

    Bytes resources(0x58, 0);
    auto directory = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
        PutWord(resources, at + 14, 1);
        PutDword(resources, at + 16, id);
        PutDword(resources, at + 20, target);
    };
    directory(0x00, 16, 0x80000000 | 0x18); // RT_VERSION
    directory(0x18, 1, 0x80000000 | 0x30);  // name 1
    directory(0x30, 0x0804, 0x48);          // language -> data entry
    PutDword(resources, 0x48, SectionRva + 0x58);
    PutDword(resources, 0x4C, static_cast<std::uint32_t>(version.size()));
    resources.insert(resources.end(), version.begin(), version.end());

    PutDword(image, section + 8, static_cast<std::uint32_t>(resources.size()));
    PutDword(image, section + 12, SectionRva);
    PutDword(image, section + 16, static_cast<std::uint32_t>(resources.size()));
    PutDword(image, section + 20, SectionOffset);
    PutDword(image, optional + 96 + 20, static_cast<std::uint32_t>(resources.size()));
    image.insert(image.end(), resources.begin(), resources.end());
    return image;
}

} // namespace platform::test
