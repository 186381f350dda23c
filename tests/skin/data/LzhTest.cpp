#include "SkinTestSupport.h"

#include "skin/data/LzhEncoder.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

using namespace skintest;

namespace {

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts)
        std::copy(part.begin(), part.end(), std::back_inserter(bytes));
    return bytes;
}

struct TRoundTripCase {
    std::string name;
    Bytes data;
};

void PrintTo(const TRoundTripCase& c, std::ostream* out) {
    *out << c.name << " (" << c.data.size() << " bytes)";
}

std::vector<TRoundTripCase> RoundTripCases() {
    std::vector<TRoundTripCase> cases = {
        {"Empty", {}},
        {"OneByte", {0x41}},
        {"ShortText", FromText("Hello, skin!")},
        {"Text", SampleText(50'000, 1)},
        // Mostly literals: more than 0x8000 symbols, so the tree is rebuilt twice.
        {"RandomBytes", RandomBytes(70'000, 2)},
        {"LongRunOfOneByte", Bytes(20'000, 0x00)},
        // Spaces at the start match the spaces the ring is filled with.
        {"LeadingSpaces", FromText(std::string(5000, ' ') + "end")},
        {"AllByteValues",
         [] {
             Bytes bytes;
             for (int round = 0; round < 40; ++round)
                 for (int value = 0; value < 256; ++value)
                     bytes.push_back(static_cast<std::uint8_t>(value ^ round));
             return bytes;
         }()},
        // A block repeated at exactly the ring's reach, and just beyond it.
        // A block repeated at exactly the ring's reach, and one repeated just beyond it.
        {"RepeatAtRingDistance", Concat({RandomBytes(LzhRingSize, 3), RandomBytes(LzhRingSize, 3),
                                         RandomBytes(LzhRingSize + 1, 4), RandomBytes(LzhRingSize + 1, 4)})},
    };
    // Sizes around the look-ahead length and the ring size.
    for (std::size_t size : {2u, 3u, 59u, 60u, 61u, 4035u, 4036u, 4037u, 4095u, 4096u, 4097u, 8192u}) {
        Bytes bytes = SampleText(size, static_cast<std::uint32_t>(size));
        cases.push_back({std::string("TextOf").append(std::to_string(size)), bytes});
        cases.push_back({std::string("RunOf").append(std::to_string(size)), Bytes(size, 'x')});
    }
    return cases;
}

class LzhRoundTrip : public testing::TestWithParam<TRoundTripCase> {};

TEST_P(LzhRoundTrip, DecodesToTheSameBytes) {
    const Bytes& data = GetParam().data;
    Bytes stream = LzhPack(data);
    EXPECT_EQ(Unpack(stream, static_cast<std::int32_t>(data.size())), data);
}

INSTANTIATE_TEST_SUITE_P(Data, LzhRoundTrip, testing::ValuesIn(RoundTripCases()),
                         [](const testing::TestParamInfo<TRoundTripCase>& info) { return info.param.name; });

TEST(LzhEncoder, CompressesRepetitiveDataWell) {
    EXPECT_LT(LzhPack(Bytes(100'000, 7)).size(), 2'500u);
    EXPECT_LT(LzhPack(SampleText(100'000, 5)).size(), 40'000u);
}

TEST(LzhDecoder, FinishesAStartedMatchBeyondTheCount) {
    // "a" as a literal, then one match of 60 more: the count is reached inside the match.
    Bytes stream = LzhPack(Bytes(61, 'a'));
    EXPECT_EQ(Unpack(stream, 5), Bytes(61, 'a'));
}

TEST(LzhDecoder, StopsBeforeTheNextSymbolOnceTheCountIsReached) {
    Bytes stream = LzhPack(FromText("abcdef"));
    EXPECT_EQ(Unpack(stream, 3), FromText("abc"));
    EXPECT_TRUE(Unpack(stream, 0).empty());
    EXPECT_TRUE(Unpack(stream, -1).empty());
}

TEST(LzhDecoder, DecodesZeroBitsAfterTheInputEnds) {
    Bytes data = SampleText(10'000, 6);
    Bytes stream = LzhPack(data);
    // Cut the stream: what was there decodes as before, the rest from zero bits.
    Bytes truncated(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(stream.size() / 2));
    Bytes output = Unpack(truncated, static_cast<std::int32_t>(data.size()));
    ASSERT_GE(output.size(), data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 1000, output.begin()));
    // An empty stream is all zero bits: it still yields the count.
    EXPECT_GE(Unpack({}, 1000).size(), 1000u);
}

TEST(LzhDecoder, ReportsAWriteThatFallsShort) {
    Bytes stream = LzhPack(SampleText(10'000, 7));
    std::size_t next = 0;
    auto read = [&](void* buffer, int n) {
        int moved =
            static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(n), stream.size() - next));
        std::memcpy(buffer, stream.data() + next, static_cast<std::size_t>(moved));
        next += static_cast<std::size_t>(moved);
        return moved;
    };
    auto fullDisk = [](const void*, int n) { return n / 2; };
    EXPECT_THROW(TLZH().Unpack(10'000, fullDisk, read), ElzhException);
}

TEST(LzhDecoder, ReadsInputThroughAOneByteCallback) {
    Bytes data = SampleText(5000, 8);
    Bytes stream = LzhPack(data);
    std::size_t next = 0;
    Bytes output;
    TLZH().Unpack(
        static_cast<std::int32_t>(data.size()),
        [&](const void* buffer, int n) {
            output.insert(output.end(), static_cast<const std::uint8_t*>(buffer),
                          static_cast<const std::uint8_t*>(buffer) + n);
            return n;
        },
        [&](void* buffer, int) {
            if (next == stream.size())
                return 0;
            *static_cast<std::uint8_t*>(buffer) = stream[next++];
            return 1;
        });
    EXPECT_EQ(output, data);
}

} // namespace
