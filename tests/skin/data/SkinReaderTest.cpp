#include "SkinTestSupport.h"

#include "core/MessageSink.h"
#include "skin/data/SkinRead.h"

#include <gtest/gtest.h>

#include <optional>

using namespace skintest;

namespace {

void AppendInt32(Bytes& bytes, std::int64_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
}

// A decompressed image laid out by hand, so that its directory can be damaged at will.
struct TRawImage {
    std::string names;
    std::vector<std::int32_t> sizes;
    std::string data;
    std::int32_t version = 20000;
    std::optional<std::int64_t> namesLength; // the names' real length unless set
    int reservedLength = 0;

    TRawImage Version(std::int32_t value) const {
        TRawImage copy = *this;
        copy.version = value;
        return copy;
    }
    TRawImage NamesLength(std::int64_t value) const {
        TRawImage copy = *this;
        copy.namesLength = value;
        return copy;
    }
    TRawImage Reserved(int length) const {
        TRawImage copy = *this;
        copy.reservedLength = length;
        return copy;
    }

    Bytes Build() const {
        Bytes image;
        AppendInt32(image, version);
        AppendInt32(image, namesLength.value_or(static_cast<std::int64_t>(names.size())));
        AppendInt32(image, 0x11111111);
        AppendInt32(image, 0x22222222);
        image.insert(image.end(), static_cast<std::size_t>(reservedLength), 0xEE);
        image.insert(image.end(), names.begin(), names.end());
        for (std::int32_t size : sizes)
            AppendInt32(image, size);
        image.insert(image.end(), data.begin(), data.end());
        return image;
    }

    TMemoryStream Archive() const { return StreamOf(PackSkinImage(Build())); }
};

TRawImage Raw(std::string names, std::vector<std::int32_t> sizes, std::string data = "") {
    TRawImage raw;
    raw.names = std::move(names);
    raw.sizes = std::move(sizes);
    raw.data = std::move(data);
    return raw;
}

std::vector<std::string> NamesOf(const TSkinReader& reader) {
    std::vector<std::string> names;
    for (int i = 0; i < reader.EntryNames().Count(); ++i)
        names.push_back(reader.EntryNames()[i]);
    return names;
}

std::string EntryText(const TSkinReader& reader, std::string_view name) {
    TMemoryStream entry;
    reader.GetEntry(name, entry);
    return std::string(entry.Memory(), entry.Memory() + entry.Size());
}

// Collects what the reader would show the user.
class MessageRecorder {
public:
    MessageRecorder() {
        previous = SetMessageSink([this](const std::string& text) { messages.push_back(text); });
    }
    ~MessageRecorder() { SetMessageSink(std::move(previous)); }

    std::vector<std::string> messages;

private:
    TMessageSink previous;
};

class SkinReaderVersions : public testing::TestWithParam<std::int32_t> {};

TEST_P(SkinReaderVersions, LoadsEveryKnownVersion) {
    TMemoryStream archive = ArchiveOf(
        GetParam(), {Entry("Skin.ini", "[Form]\r\n"), Entry("Title.BMP", "BM-title"), Entry("x", "")});
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    EXPECT_EQ(reader.SkinHeader().Version, GetParam());
    EXPECT_EQ(reader.EntryCount(), 3);
    EXPECT_EQ(NamesOf(reader), (std::vector<std::string>{"skin.ini", "title.bmp", "x"}));
    EXPECT_EQ(reader.EntrySizes()[0], 8);
    EXPECT_EQ(reader.EntrySizes()[1], 8);
    EXPECT_EQ(reader.EntrySizes()[2], 0);
    EXPECT_EQ(reader.EntryData().Size(), 16);
    EXPECT_EQ(EntryText(reader, "title.bmp"), "BM-title");
}

INSTANTIATE_TEST_SUITE_P(Table, SkinReaderVersions, testing::ValuesIn(SkinVersions));

TEST(SkinReader, SkipsTheReservedBlockOfEachVersion) {
    // Laid out by hand, so that a wrong block size in the reader cannot hide behind the writer.
    const std::pair<std::int32_t, int> blocks[] = {{20000, 0},  {30000, 256}, {40000, 80},
                                                   {50000, 48}, {60000, 117}, {70000, 69}};
    for (auto [version, reserved] : blocks) {
        TMemoryStream archive = Raw("a\r\nb", {1, 2}, "xyz").Version(version).Reserved(reserved).Archive();
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadSkin(archive)) << version;
        EXPECT_EQ(EntryText(reader, "a"), "x") << version;
        EXPECT_EQ(EntryText(reader, "b"), "yz") << version;
        EXPECT_EQ(reader.SkinHeader().Reserved1, 0x11111111);
        EXPECT_EQ(reader.SkinHeader().Reserved2, 0x22222222);
    }
}

struct TNameListCase {
    const char* label;
    std::string names;
    std::vector<std::string> expected;
};

void PrintTo(const TNameListCase& c, std::ostream* out) {
    *out << c.label;
}

class SkinReaderNameLists : public testing::TestWithParam<TNameListCase> {};

TEST_P(SkinReaderNameLists, SplitsAndLowerCasesTheNames) {
    const TNameListCase& c = GetParam();
    TMemoryStream archive = Raw(c.names, std::vector<std::int32_t>(c.expected.size(), 0)).Archive();
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    EXPECT_EQ(NamesOf(reader), c.expected);
    EXPECT_EQ(reader.EntryCount(), static_cast<std::int32_t>(c.expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Endings, SkinReaderNameLists,
    testing::Values(TNameListCase{"CrLf", "Skin.ini\r\nTitle.bmp", {"skin.ini", "title.bmp"}},
                    TNameListCase{"MixedEndings", "A\rB\nC\r\nD", {"a", "b", "c", "d"}},
                    TNameListCase{"TrailingLineEndAddsNoEntry", "a\r\nb\r\n", {"a", "b"}},
                    TNameListCase{"EmptyLineInTheMiddleIsAnEntry", "a\r\n\r\nb", {"a", "", "b"}},
                    TNameListCase{"LfCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
                    TNameListCase{"LoneLineEndIsOneEmptyEntry", "\n", {""}},
                    TNameListCase{"NulEndsTheList", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
                    TNameListCase{"EmptyList", "", {}},
                    TNameListCase{"OnlyAToZAreLowerCased", "\xC1\xD2.BMP", {"\xC1\xD2.bmp"}}),
    [](const testing::TestParamInfo<TNameListCase>& info) { return info.param.label; });

TEST(SkinReader, GetEntryMatchesTheLowerCasedNameExactly) {
    TMemoryStream archive = ArchiveOf(20000, {Entry("Skin.ini", "ini"), Entry("Title.bmp", "title")});
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    EXPECT_EQ(EntryText(reader, "TITLE.BMP"), "title");
    EXPECT_EQ(EntryText(reader, "title"), "");
    EXPECT_EQ(EntryText(reader, "missing.bmp"), "");

    // The destination is emptied first and handed back rewound.
    TMemoryStream entry;
    entry.WriteBuffer("leftover bytes", 14);
    reader.GetEntry("skin.ini", entry);
    EXPECT_EQ(entry.Size(), 3);
    EXPECT_EQ(entry.Position(), 0);
    reader.GetEntry("nothing", entry);
    EXPECT_EQ(entry.Size(), 0);
}

TEST(SkinReader, FindEntryGivesTheFirstNameContainingTheText) {
    TMemoryStream archive =
        ArchiveOf(20000, {Entry("a.bmp", "a"), Entry("Skin.INI", "first"), Entry("other.ini", "second")});
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));

    TMemoryStream entry;
    std::string name = "unchanged";
    reader.FindEntry(".ini", entry, name);
    EXPECT_EQ(name, "skin.ini");
    EXPECT_EQ(BytesOf(entry), FromText("first"));
    EXPECT_EQ(entry.Position(), 0);

    // The text is compared as given, against lower-cased names.
    name = "unchanged";
    reader.FindEntry(".INI", entry, name);
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(entry.Size(), 0);
}

TEST(SkinReader, EntriesFollowEachOtherInTheData) {
    std::vector<TSkinEntry> entries;
    for (int i = 0; i < 50; ++i)
        entries.push_back(
            {std::string("e").append(std::to_string(i)), RandomBytes(static_cast<std::size_t>(i * 37), i)});
    TMemoryStream archive = ArchiveOf(70000, entries);
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    for (const TSkinEntry& expected : entries) {
        TMemoryStream entry;
        reader.GetEntry(expected.Name, entry);
        EXPECT_EQ(BytesOf(entry), expected.Data) << expected.Name;
    }
}

TEST(SkinReader, AcceptsTheLargestDirectory) {
    TRawImage raw;
    for (int i = 0; i < SkinMaxEntries; ++i)
        raw.names.append("n").append(std::to_string(i)).append("\r\n");
    raw.sizes.assign(SkinMaxEntries, 1);
    raw.data.assign(SkinMaxEntries, 'd');
    TMemoryStream archive = raw.Archive();
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    EXPECT_EQ(reader.EntryCount(), SkinMaxEntries);
    EXPECT_EQ(EntryText(reader, "n1000"), "d");
}

// A reader holding a good archive, to show that a refused one leaves it as it was.
class SkinReaderRefusal : public testing::Test {
protected:
    void SetUp() override {
        TMemoryStream archive = ArchiveOf(20000, {Entry("skin.ini", "[Form]"), Entry("title.bmp", "BM")});
        ASSERT_TRUE(reader.LoadSkin(archive));
    }

    void ExpectPreviousDirectory() {
        EXPECT_EQ(NamesOf(reader), (std::vector<std::string>{"skin.ini", "title.bmp"}));
        EXPECT_EQ(reader.EntryCount(), 2);
        EXPECT_EQ(reader.EntrySizes()[1], 2);
        EXPECT_EQ(EntryText(reader, "title.bmp"), "BM");
    }

    TSkinReader reader;
    MessageRecorder recorder;
};

TEST_F(SkinReaderRefusal, UnknownVersionsTellTheUserTheSkinIsTooOld) {
    for (std::int32_t version : {10000, 80000, 0, -1, 20001}) {
        TMemoryStream archive = Raw("other.bmp", {0}).Version(version).Archive();
        EXPECT_FALSE(reader.LoadSkin(archive)) << version;
        EXPECT_EQ(reader.SkinHeader().Version, version);
    }
    ASSERT_EQ(recorder.messages.size(), 5u);
    EXPECT_EQ(recorder.messages[0], "This is Older Skin File\rPlease update to new version !");
    ExpectPreviousDirectory();
}

struct TDamageCase {
    const char* label;
    TRawImage raw;
};

void PrintTo(const TDamageCase& c, std::ostream* out) {
    *out << c.label;
}

class SkinReaderDamage : public SkinReaderRefusal, public testing::WithParamInterface<TDamageCase> {};

TEST_P(SkinReaderDamage, IsRefusedWithoutAMessage) {
    TMemoryStream archive = GetParam().raw.Archive();
    EXPECT_FALSE(reader.LoadSkin(archive));
    EXPECT_TRUE(recorder.messages.empty());
    ExpectPreviousDirectory();
}

TRawImage TooManyEntries() {
    TRawImage raw;
    for (int i = 0; i <= SkinMaxEntries; ++i)
        raw.names += "n\r\n";
    raw.sizes.assign(SkinMaxEntries + 1, 0);
    return raw;
}

INSTANTIATE_TEST_SUITE_P(
    Directories, SkinReaderDamage,
    testing::Values(TDamageCase{"MoreEntriesThanTheDirectoryHolds", TooManyEntries()},
                    TDamageCase{"NameListRunsPastTheData", Raw("a", {0}).NamesLength(1000)},
                    TDamageCase{"NegativeNameListLength", Raw("a", {0}).NamesLength(-8)},
                    TDamageCase{"HugeNameListLength", Raw("a", {0}).NamesLength(0x7FFFFFFF)},
                    TDamageCase{"SizeTableRunsPastTheData", Raw("a\r\nb\r\nc", {0})},
                    TDamageCase{"NegativeSize", Raw("a\r\nb", {4, -2}, "abcd")},
                    TDamageCase{"SizesRunPastTheData", Raw("a\r\nb", {4, 3}, "abcdef")},
                    TDamageCase{"SizesOverflowWhenAdded", Raw("a\r\nb", {0x7FFFFFFF, 0x7FFFFFFF}, "abcdef")}),
    [](const testing::TestParamInfo<TDamageCase>& info) { return info.param.label; });

TEST_F(SkinReaderRefusal, ImagesTooShortForAHeaderAreRefused) {
    for (std::size_t size : {0u, 4u, 15u}) {
        TMemoryStream archive = StreamOf(PackSkinImage(Bytes(size, 0)));
        EXPECT_FALSE(reader.LoadSkin(archive)) << size;
    }
    ExpectPreviousDirectory();
}

TEST_F(SkinReaderRefusal, DeclaredSizesOutOfRangeAreRefusedBeforeDecoding) {
    for (std::int64_t declared :
         {std::int64_t{-1}, std::int64_t{SkinMaxImageSize} + 1, std::int64_t{0x7FFFFFFF}}) {
        Bytes bytes;
        AppendInt32(bytes, declared);
        TMemoryStream archive = StreamOf(bytes);
        TMemoryStream image;
        EXPECT_FALSE(reader.Decompress(archive, image)) << declared;
        EXPECT_EQ(image.Size(), 0);
        EXPECT_FALSE(reader.LoadSkin(archive)) << declared;
    }
    for (std::size_t size : {0u, 3u}) {
        TMemoryStream archive = StreamOf(Bytes(size, 0x10));
        EXPECT_FALSE(reader.LoadSkin(archive)) << size;
    }
    EXPECT_TRUE(recorder.messages.empty());
    ExpectPreviousDirectory();
}

TEST(SkinReader, DecompressRewindsBothStreamsAndWritesTheDeclaredBytes) {
    Bytes data = SampleText(9000, 11);
    TMemoryStream archive = StreamOf(PackSkinImage(data));
    archive.SetPosition(7);
    TMemoryStream image;
    image.WriteBuffer("xx", 2);
    TSkinReader reader;
    ASSERT_TRUE(reader.Decompress(archive, image));
    EXPECT_EQ(BytesOf(image), data);
}

TEST(SkinReader, TruncatedArchivesDecodeFromZeroBitsWithoutFault) {
    Bytes stored = PackSkinImage(BuildSkinImage(
        20000, {Entry("skin.ini", "[Form]\r\nColor=1\r\n"), {"big.bmp", RandomBytes(20000, 12)}}));
    MessageRecorder quiet; // zero bits may decode to any version
    for (std::size_t keep :
         {std::size_t{4}, std::size_t{5}, std::size_t{40}, stored.size() / 2, stored.size() - 1}) {
        TMemoryStream archive = StreamOf(std::span(stored).first(keep));
        TMemoryStream image;
        TSkinReader reader;
        ASSERT_TRUE(reader.Decompress(archive, image));
        EXPECT_GE(image.Size(), static_cast<std::int64_t>(stored.size() > 0 ? 20000 : 0));
        // Whatever the zero bits decode to, loading it is safe.
        archive.SetPosition(0);
        reader.LoadSkin(archive);
    }
}

} // namespace
