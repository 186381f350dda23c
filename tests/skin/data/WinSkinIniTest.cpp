#include "SkinTestSupport.h"

#include "core/Exception.h"
#include "skin/data/WinSkinIni.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

std::unique_ptr<TQuickIni> IniOf(std::string_view text) {
    auto ini = std::make_unique<TQuickIni>();
    TMemoryStream stream = StreamOf(FromText(text));
    ini->LoadFromStream(&stream);
    return ini;
}

std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i]);
    return items;
}

TEST(QuickIniLoading, KeepsTrimmedLinesThatAreNotEmptyOrComments) {
    auto ini =
        IniOf("  [Form]  \r\n\r\n; a comment\r\n\t Color = 1 \r\n   \r\n  ;x=1\r\n[Buttons]\r\nCount=2");
    EXPECT_EQ(Items(ini->Lines()), (std::vector<std::string>{"[Form]", "Color = 1", "[Buttons]", "Count=2"}));
    // Dropped lines do not shift the section indices.
    ASSERT_EQ(ini->Sections().Count(), 2);
    EXPECT_EQ(ini->Sections().Objects(0), 0);
    EXPECT_EQ(ini->Sections().Objects(1), 2);
    EXPECT_EQ(ini->SectionIndex("Buttons"), 2);
}

TEST(QuickIniLoading, EndsLinesAtCrLfOrCrLfAndTheTextAtNul) {
    EXPECT_EQ(Items(IniOf("a\rb\nc\r\nd\n\re")->Lines()),
              (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(Items(IniOf(std::string_view("a\r\nb\0c\r\nd", 9))->Lines()),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Items(IniOf(std::string_view("a\0", 2))->Lines()), (std::vector<std::string>{"a"}));
    EXPECT_EQ(IniOf("")->Lines().Count(), 0);
}

TEST(QuickIniLoading, ReadsFromTheStreamPositionAndReplacesTheContents) {
    TQuickIni ini;
    TMemoryStream stream = StreamOf(FromText("[Old]\r\nk=1\r\n"));
    ini.LoadFromStream(&stream);
    ini.LoadFromStream(nullptr);
    EXPECT_EQ(ini.ReadString("Old", "k", ""), "1");

    TMemoryStream second = StreamOf(FromText("skipped\r\n[New]\r\nk=2"));
    second.SetPosition(9);
    ini.LoadFromStream(&second);
    EXPECT_EQ(Items(ini.Lines()), (std::vector<std::string>{"[New]", "k=2"}));
    EXPECT_EQ(ini.SectionIndex("Old"), -1);
}

TEST(QuickIniSections, AreFoundWithoutRegardToCaseButWithTheirBlanks) {
    auto ini = IniOf("[Form]\r\n[ Title ]\r\n[\xB1\xEA\xCC\xE2]\r\n[Form]\r\n[unclosed\r\nx]");
    EXPECT_EQ(ini->SectionIndex("FORM"), 0);
    EXPECT_EQ(ini->SectionIndex("Title"), -1);
    EXPECT_EQ(ini->SectionIndex(" title "), 1);
    EXPECT_EQ(ini->SectionIndex("\xB1\xEA\xCC\xE2"), 2);
    EXPECT_EQ(ini->SectionIndex("unclosed"), -1);
    EXPECT_EQ(ini->Sections().Count(), 4);
}

TEST(QuickIniSections, ReadSectionsGivesNamesWithoutBracketsInFileOrder) {
    auto ini = IniOf("[A]\r\n[ B ]\r\n[A]\r\nk=v\r\n[]");
    TStringList list;
    list.Add("replaced");
    ini->ReadSections(&list);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"A", "B", "A", ""}));
    EXPECT_EQ(list.Objects(1), 0);
    try {
        ini->ReadSections(nullptr);
        FAIL() << "a missing list must be reported";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "The parameter Strings is unassigned!");
    }
}

TEST(QuickIniStrings, MatchKeysWithoutRegardToCaseAndTrimValues) {
    auto ini = IniOf("[Buttons]\r\nCount = 0x1A\r\n  Name=  Close Box  \r\n");
    EXPECT_EQ(ini->ReadString("BUTTONS", "Count", "d"), "0x1A");
    EXPECT_EQ(ini->ReadString("buttons", "NAME", "d"), "Close Box");
    EXPECT_EQ(ini->ReadString("Buttons", " Name", "d"), "d");
    EXPECT_EQ(ini->ReadString("Missing", "Count", "d"), "d");
    EXPECT_EQ(IniOf("")->ReadString("Buttons", "Count", "d"), "d");
}

TEST(QuickIniStrings, TheFirstLineWithTheKeyDecidesEvenWhenItsValueIsEmpty) {
    auto ini = IniOf("[S]\r\nA=first\r\nA=second\r\nB=\r\nB=later\r\nC=x=y");
    EXPECT_EQ(ini->ReadString("S", "a", "d"), "first");
    EXPECT_EQ(ini->ReadString("S", "b", "d"), "d");
    EXPECT_EQ(ini->ReadString("S", "c", "d"), "x=y");
}

TEST(QuickIniStrings, TheScanStopsAtTheNextSection) {
    auto ini = IniOf("[One]\r\nx=1\r\n[Two]\r\nLater=2\r\n[One]\r\nLater=3");
    EXPECT_EQ(ini->ReadString("One", "Later", "d"), "d");
    EXPECT_EQ(ini->ReadString("Two", "Later", "d"), "2");
}

TEST(QuickIniStrings, ALineWithoutEqualsHasTheEmptyKey) {
    auto ini = IniOf("[S]\r\njust text\r\nk=v\r\n=orphan");
    EXPECT_EQ(ini->ReadString("S", "just text", "d"), "d");
    EXPECT_EQ(ini->ReadString("S", "", "d"), "d");
    EXPECT_EQ(ini->ReadString("S", "k", "d"), "v");
}

TEST(QuickIniIntegers, ConvertDecimalHexAndSignOrGiveTheDefault) {
    auto ini = IniOf("[N]\r\nhex=0x1A\r\nHEX2=0XfF\r\ndollar=$FF\r\nneg=-5\r\nbad=abc\r\nbare=0x\r\n"
                     "empty=\r\nspaced=1 2\r\nbig=4294967296\r\nnegHex=-0x10");
    EXPECT_EQ(ini->ReadInteger("N", "hex", 0), 26);
    EXPECT_EQ(ini->ReadInteger("N", "hex2", 0), 255);
    EXPECT_EQ(ini->ReadInteger("N", "dollar", 0), 255);
    EXPECT_EQ(ini->ReadInteger("N", "neg", 0), -5);
    for (const char* key : {"bad", "bare", "empty", "spaced", "big", "negHex", "missing"})
        EXPECT_EQ(ini->ReadInteger("N", key, -9), -9) << key;
}

} // namespace
