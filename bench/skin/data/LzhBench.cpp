// Decoding speed of skin archives: LZHUF throughput on bitmap-like data, and the load of an
// archive the size of a skin.

#include "core/Stream.h"
#include "skin/data/LzhDecoder.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit bottom-up bitmap like those of a skin: a magenta background, a vertical gradient
// band with some dithering, a framed face with shading noise, and a few thin lines.
Bytes SkinLikeBitmap(int width, int height, std::uint32_t seed) {
    std::mt19937 generator(seed);
    int stride = (width * 3 + 3) & ~3;
    Bytes bitmap(54 + static_cast<std::size_t>(stride) * height, 0);
    bitmap[0] = 'B';
    bitmap[1] = 'M';
    int band = height / 3;
    int baseRed = static_cast<int>(generator() % 200);
    int baseBlue = static_cast<int>(generator() % 200);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.data() + 54 + static_cast<std::size_t>(stride) * y;
        for (int x = 0; x < width; ++x) {
            std::uint8_t red = 0xFF, green = 0x00, blue = 0xFF;
            if (y < band) {
                int dither = static_cast<int>(generator() % 4);
                red = static_cast<std::uint8_t>(baseRed + y + dither);
                green = static_cast<std::uint8_t>(80 + y * 2 + x / 8);
                blue = static_cast<std::uint8_t>(baseBlue + y / 2 + dither);
            } else if (x > 2 && x < width - 3 && y < height - 3) {
                bool edge = x == 3 || x == width - 4 || y == band || y == height - 4;
                std::uint8_t shade = edge ? 0x40 : static_cast<std::uint8_t>(0xB0 + (generator() % 16));
                red = green = blue = shade;
                if ((x + y) % 17 == 0)
                    red = 0x10;
            }
            row[x * 3] = blue;
            row[x * 3 + 1] = green;
            row[x * 3 + 2] = red;
        }
    }
    return bitmap;
}

// Bitmaps of several sizes up to about `total` bytes, with a description text.
std::vector<TSkinEntry> SkinLikeEntries(std::size_t total) {
    std::vector<TSkinEntry> entries;
    std::string ini = "[Form]\r\n";
    std::size_t size = 0;
    for (std::uint32_t i = 0; size < total; ++i) {
        int width = 16 + static_cast<int>(i * 37 % 180);
        int height = 12 + static_cast<int>(i * 23 % 60);
        std::string name = "image";
        name.append(std::to_string(i)).append(".bmp");
        ini.append("Image").append(std::to_string(i)).append("=").append(name).append("\r\n");
        entries.push_back({name, SkinLikeBitmap(width, height, i)});
        size += entries.back().Data.size();
    }
    entries.insert(entries.begin(), TSkinEntry{"skin.ini", Bytes(ini.begin(), ini.end())});
    return entries;
}

TMemoryStream StreamOf(const Bytes& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return stream;
}

void BM_LzhDecodeMixedBitmaps(benchmark::State& state) {
    Bytes image = BuildSkinImage(20000, SkinLikeEntries(1 << 20));
    TMemoryStream archive = StreamOf(PackSkinImage(image));
    TSkinReader reader;
    for (auto _ : state) {
        TMemoryStream output;
        bool decoded = reader.Decompress(archive, output);
        benchmark::DoNotOptimize(decoded);
        benchmark::DoNotOptimize(output.Memory());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(image.size()));
    state.counters["image_bytes"] = static_cast<double>(image.size());
    state.counters["archive_bytes"] = static_cast<double>(archive.Size());
}
BENCHMARK(BM_LzhDecodeMixedBitmaps)->Unit(benchmark::kMillisecond);

void BM_LoadSkinSizedArchive(benchmark::State& state) {
    Bytes image = BuildSkinImage(20000, SkinLikeEntries(100 * 1024));
    TMemoryStream archive = StreamOf(PackSkinImage(image));
    for (auto _ : state) {
        TSkinReader reader;
        bool loaded = reader.LoadSkin(archive);
        benchmark::DoNotOptimize(loaded);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(image.size()));
    state.counters["image_bytes"] = static_cast<double>(image.size());
    state.counters["archive_bytes"] = static_cast<double>(archive.Size());
}
BENCHMARK(BM_LoadSkinSizedArchive)->Unit(benchmark::kMicrosecond);

void BM_LzhEncodeMixedBitmaps(benchmark::State& state) {
    Bytes image = BuildSkinImage(20000, SkinLikeEntries(1 << 20));
    for (auto _ : state) {
        Bytes archive = PackSkinImage(image);
        benchmark::DoNotOptimize(archive.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(image.size()));
}
BENCHMARK(BM_LzhEncodeMixedBitmaps)->Unit(benchmark::kMillisecond);

} // namespace
