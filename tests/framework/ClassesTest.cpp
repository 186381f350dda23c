// Class identity, the class registry and published properties read and written by name.

#include "framework/classes/PropertyTable.h"
#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"

#include <gtest/gtest.h>

namespace {

enum TShade { shLight, shDark };

const TEnumInfo& ShadeIdents() {
    static const TEnumInfo idents{{"shLight", "shDark"}};
    return idents;
}

// A class of the test's own, below TFont, with one property of every kind.
class TShadedFont : public TFont {
public:
    static const TClass& ClassInfo() {
        static const TClass info(
            "TShadedFont", &TFont::ClassInfo(),
            {
                EnumProperty("Shade", ShadeIdents(), &TShadedFont::Shade, &TShadedFont::SetShade),
                EnumProperty("Lit", BooleanIdents(), &TShadedFont::Lit, nullptr),
                StrProperty("Caption", &TShadedFont::Caption, &TShadedFont::SetCaption),
                ObjProperty("Glyph", &TShadedFont::Glyph, &TShadedFont::SetGlyph),
                MethodProperty("OnShade", &TShadedFont::OnShade),
            });
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }

    TShade Shade() const { return m_shade; }
    void SetShade(TShade shade) { m_shade = shade; }
    bool Lit() const { return true; }
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption) { m_caption = caption; }
    TBitmap* Glyph() const { return m_glyph.get(); }
    void SetGlyph(TBitmap* glyph) { m_glyph->Assign(glyph); }

    TNotifyEvent OnShade;

private:
    TShade m_shade = shLight;
    std::string m_caption;
    std::unique_ptr<TBitmap> m_glyph = std::make_unique<TBitmap>();
};

} // namespace

TEST(ClassIdentity, NamesAndAncestryByClassAndByName) {
    TShadedFont font;
    EXPECT_EQ(font.ClassName(), "TShadedFont");
    EXPECT_TRUE(font.InheritsFrom(TFont::ClassInfo()));
    EXPECT_TRUE(font.InheritsFrom(TPersistent::ClassInfo()));
    EXPECT_TRUE(font.InheritsFrom("tgraphicsobject"));
    EXPECT_FALSE(font.InheritsFrom(TBitmap::ClassInfo()));
    EXPECT_FALSE(font.InheritsFrom("TBrush"));
    EXPECT_EQ(ObjectAs<TFont>(&font), &font);
    EXPECT_EQ(ObjectAs<TBitmap>(&font), nullptr);
    EXPECT_EQ(ObjectAs<TFont>(nullptr), nullptr);
}

TEST(ClassIdentity, RegistryFindsFrameworkClassesBeforeAnyUse) {
    const TClass* picture = FindClass("tpicture");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->ClassName(), "TPicture");
    EXPECT_EQ(FindClass("TShadedFont"), &TShadedFont::ClassInfo());
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
}

TEST(PublishedProperties, TablesAreInheritedAlongTheClassTree) {
    TShadedFont font;
    EXPECT_TRUE(IsPublishedProp(&font, "Shade"));
    EXPECT_TRUE(IsPublishedProp(&font, "height")); // TFont's own
    std::vector<std::string> names;
    for (const TPropInfo* info : font.ClassType().Properties())
        names.push_back(info->Name);
    ASSERT_GE(names.size(), 12u);
    EXPECT_EQ(names.front(), "Charset"); // the ancestors' properties come first
    EXPECT_EQ(names.back(), "OnShade");
}

TEST(PublishedProperties, EveryKindReadsAndWritesByName) {
    TShadedFont font;
    EXPECT_EQ(GetOrdProp(&font, "Height"), -12);
    EXPECT_TRUE(SetOrdProp(&font, "Size", 12));
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(GetStrProp(&font, "Name"), "宋体");
    EXPECT_EQ(GetWideStrProp(&font, "Name"), u"宋体");

    EXPECT_EQ(GetEnumProp(&font, "Shade"), "shLight");
    EXPECT_TRUE(SetEnumProp(&font, "Shade", "SHDARK"));
    EXPECT_EQ(font.Shade(), shDark);
    EXPECT_EQ(GetOrdProp(&font, "Shade"), 1);
    EXPECT_FALSE(SetEnumProp(&font, "Shade", "shMedium"));
    EXPECT_EQ(font.Shade(), shDark);

    EXPECT_TRUE(SetPropValue(&font, "Style", "[fsItalic, fsBold]"));
    EXPECT_EQ(GetSetProp(&font, "Style"), "[fsBold,fsItalic]");
    EXPECT_EQ(GetOrdProp(&font, "Style"), 3);
    EXPECT_FALSE(SetPropValue(&font, "Style", "[fsHuge]"));
    EXPECT_TRUE(SetPropValue(&font, "Style", "[]"));
    EXPECT_TRUE(font.Style().Empty());

    EXPECT_TRUE(SetPropValue(&font, "Color", "255"));
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_FALSE(SetPropValue(&font, "Color", "red"));
    EXPECT_EQ(GetPropValue(&font, "Color"), "255");
    EXPECT_TRUE(SetPropValue(&font, "Caption", "标题"));
    EXPECT_EQ(font.Caption(), "标题");
    EXPECT_TRUE(SetPropValue(&font, "Shade", "shlight"));
    EXPECT_EQ(GetPropValue(&font, "Shade"), "shLight");

    TBitmap glyph;
    glyph.SetSize(3, 2);
    EXPECT_EQ(GetObjectPropAs<TBitmap>(&font, "Glyph"), font.Glyph());
    EXPECT_TRUE(SetObjectProp(&font, "Glyph", &glyph));
    EXPECT_EQ(font.Glyph()->Width(), 3);
    TFont wrongKind;
    EXPECT_FALSE(SetObjectProp(&font, "Glyph", &wrongKind));
    EXPECT_EQ(GetObjectProp(&font, "Glyph", &TFont::ClassInfo()), nullptr);

    int calls = 0;
    EXPECT_TRUE(SetMethodProp(&font, "OnShade", std::any(TNotifyEvent([&](TObject*) { ++calls; }))));
    ASSERT_TRUE(font.OnShade);
    font.OnShade(&font);
    EXPECT_EQ(calls, 1);
    const std::any handler = GetMethodProp(&font, "OnShade");
    EXPECT_NE(std::any_cast<TNotifyEvent>(&handler), nullptr);
    EXPECT_TRUE(SetMethodProp(&font, "OnShade", std::any()));
    EXPECT_FALSE(font.OnShade);
}

TEST(PublishedProperties, BooleansAreEnumerationsComparedWithoutCase) {
    TBitmap bitmap;
    EXPECT_EQ(GetEnumProp(&bitmap, "Transparent"), "False");
    EXPECT_TRUE(SetPropValue(&bitmap, "Transparent", "true"));
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(GetOrdProp(&bitmap, "Transparent"), 1);
    EXPECT_TRUE(SetEnumProp(&bitmap, "transparent", "FALSE"));
    EXPECT_FALSE(bitmap.Transparent());
}

TEST(PublishedProperties, NullObjectsMissingPropertiesAndWrongKindsGiveDefaults) {
    TShadedFont font;
    for (const TObject* object : {static_cast<const TObject*>(nullptr), static_cast<const TObject*>(&font)}) {
        EXPECT_EQ(GetOrdProp(object, "NoSuch"), -1);
        EXPECT_EQ(GetEnumProp(object, "NoSuch"), "");
        EXPECT_EQ(GetStrProp(object, "NoSuch"), "");
        EXPECT_EQ(GetObjectProp(object, "NoSuch"), nullptr);
        EXPECT_FALSE(GetMethodProp(object, "NoSuch").has_value());
    }
    EXPECT_FALSE(SetOrdProp(nullptr, "Height", 3));
    EXPECT_FALSE(SetPropValue(nullptr, "Caption", "x"));
    EXPECT_FALSE(SetPropValue(&font, "NoSuch", "x"));

    // A property of another kind than the routine reads counts as missing.
    EXPECT_EQ(GetOrdProp(&font, "Caption"), -1);
    EXPECT_EQ(GetStrProp(&font, "Height"), "");
    EXPECT_EQ(GetEnumProp(&font, "Height"), "");
    EXPECT_EQ(GetObjectProp(&font, "Caption"), nullptr);
    EXPECT_FALSE(SetStrProp(&font, "Height", "7"));
    EXPECT_EQ(font.Height(), -12);

    // A read-only property reads but does not write.
    EXPECT_EQ(GetEnumProp(&font, "Lit"), "True");
    EXPECT_FALSE(SetEnumProp(&font, "Lit", "False"));
}
