// Tests of the BMP reader: the public BMP suite against its reference renderings, and
// hand-made files that break one rule at a time.
#include "platform/BmpReader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/FileIO.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(SUDOKU_TEST_DATA) / "bmpsuite";

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    auto bytes = fileio::ReadFile(path, std::size_t{1} << 22);
    EXPECT_TRUE(bytes.has_value()) << path;
    return bytes.value_or(std::vector<uint8_t>{});
}

// ---- Reference renderings (PNG, read with libpng) ----

// Owns libpng's read structures and the open file.
class CPngFile {
public:
    explicit CPngFile(const fs::path& path) : m_file(std::fopen(path.c_str(), "rb")) {
        if (m_file != nullptr) {
            m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        }
        if (m_png != nullptr) {
            m_info = png_create_info_struct(m_png);
        }
    }
    ~CPngFile() {
        if (m_png != nullptr) {
            png_destroy_read_struct(&m_png, &m_info, nullptr);
        }
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }
    CPngFile(const CPngFile&) = delete;
    CPngFile& operator=(const CPngFile&) = delete;

    bool IsOpen() const { return m_info != nullptr; }
    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }
    std::FILE* File() const { return m_file; }

private:
    std::FILE* m_file = nullptr;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

// libpng reports errors by a long jump back here; these two functions own no objects with
// destructors. Every image is turned into 8-bit RGBA: the colour channels as stored, without
// compositing, and alpha 255 where the file has none.
bool ReadPngHeader(png_structp png, png_infop info, std::FILE* file, png_uint_32* width,
                   png_uint_32* height) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    return png_get_rowbytes(png, info) == std::size_t{4} * *width;
}

bool ReadPngRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

// The reference as 0xAARRGGBB words; alpha 0 marks a pixel whose colour is undefined.
std::optional<Bitmap> LoadPng(const fs::path& path) {
    CPngFile file(path);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!file.IsOpen() || !ReadPngHeader(file.Png(), file.Info(), file.File(), &width, &height)) {
        return std::nullopt;
    }
    std::vector<uint8_t> rgba(std::size_t{4} * width * height);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = rgba.data() + std::size_t{4} * width * y;
    }
    if (!ReadPngRows(file.Png(), rows.data())) {
        return std::nullopt;
    }
    Bitmap image(static_cast<int>(width), static_cast<int>(height));
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const uint8_t* p = &rgba[4 * i];
        image.pixels[i] = (Rgb(p[0], p[1], p[2]) & 0xFFFFFFU) | (uint32_t{p[3]} << 24U);
    }
    return image;
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int most = 0;
    for (unsigned shift = 0; shift < 24; shift += 8) {
        const int d =
            static_cast<int>((a >> shift) & 0xFFU) - static_cast<int>((b >> shift) & 0xFFU);
        most = std::max(most, d < 0 ? -d : d);
    }
    return most;
}

// Empty when the decoded image shows the reference: every pixel opaque, and within
// `tolerance` of the reference in each channel wherever the reference is not fully
// transparent. Otherwise the first difference and how many pixels differ.
std::string Difference(const Bitmap& got, const Bitmap& want, int tolerance) {
    if (got.width != want.width || got.height != want.height) {
        return "size " + std::to_string(got.width) + "x" + std::to_string(got.height) +
               " instead of " + std::to_string(want.width) + "x" + std::to_string(want.height);
    }
    std::ostringstream text;
    int count = 0;
    for (int y = 0; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            const uint32_t g = got.At(x, y);
            const uint32_t w = want.At(x, y);
            const bool undefined = (w >> 24U) == 0;
            if ((g >> 24U) != 0xFFU || (!undefined && ChannelDistance(g, w) > tolerance)) {
                if (count++ == 0) {
                    text << "(" << x << "," << y << ") " << std::hex << g << " instead of " << w
                         << std::dec;
                }
            }
        }
    }
    if (count > 0) {
        text << ", " << count << " pixels differ";
    }
    return text.str();
}

// Where a reference rendering shows what the reader leaves out on purpose.
struct SReferenceNote {
    const char* file;
    int tolerance;
    std::function<void(Bitmap&)> adjust;
};

const std::vector<SReferenceNote>& ReferenceNotes() {
    static const std::vector<SReferenceNote> notes = {
        // The embedded colour profile exchanges red and green; profiles are not applied.
        {"q/rgb24prof2.bmp", 0,
         [](Bitmap& want) {
             for (uint32_t& p : want.pixels) {
                 p = (p & 0xFF0000FFU) | ((p >> 8U) & 0xFF00U) | ((p & 0xFF00U) << 8U);
             }
         }},
        // The 11- and 10-bit channels were quantised from the same colours as the 8-bit
        // reference, not from it: rounding them to 8 bits is off by one in a few places.
        {"q/rgb32-111110.bmp", 1, nullptr},
        // The reference is drawn over grey where the alpha bit is 0; alpha is ignored.
        {"q/rgba16-5551.bmp", 0,
         [](Bitmap& want) {
             for (uint32_t& p : want.pixels) {
                 if (p == Rgb(0xC0, 0xC0, 0xC0)) {
                     p = 0;
                 }
             }
         }},
    };
    return notes;
}

// reference-map.tsv: "folder/file.bmp" -> the reference PNGs that show it correctly.
std::map<std::string, std::vector<std::string>> ReferenceMap() {
    std::map<std::string, std::vector<std::string>> map;
    std::ifstream in(kSuite / "reference-map.tsv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        std::vector<std::string>& refs = map[line.substr(0, tab)];
        std::istringstream list(line.substr(tab + 1));
        std::string ref;
        while (std::getline(list, ref, ',')) {
            if (ref != "-" && fs::exists(kSuite / "html" / ref)) {
                refs.push_back(ref);
            }
        }
    }
    return map;
}

enum class EResult { kRefused, kMatches, kDiffers, kNoReference };

const char* Name(EResult r) {
    switch (r) {
        case EResult::kRefused:
            return "refused";
        case EResult::kMatches:
            return "loaded, matches";
        case EResult::kDiffers:
            return "loaded, DIFFERS";
        case EResult::kNoReference:
            return "loaded, no reference";
    }
    return "";
}

struct SSuiteFile {
    std::string name;
    EResult result = EResult::kRefused;
    std::string detail;  // why it was refused, or how it differs
};

// Decodes every .bmp of a suite folder and compares it with its reference renderings.
std::vector<SSuiteFile> RunFolder(const std::string& folder) {
    static const auto refs = ReferenceMap();
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(kSuite / folder)) {
        if (entry.path().extension() == ".bmp") {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<SSuiteFile> results;
    for (const auto& path : paths) {
        SSuiteFile file;
        file.name = path.filename().string();
        const std::vector<uint8_t> bytes = ReadBytes(path);
        Bitmap image;
        std::string why;
        if (!DecodeBmp(bytes, image, &why)) {
            EXPECT_FALSE(why.empty()) << file.name;
            EXPECT_TRUE(image.IsNull()) << file.name;
            file.detail = why;
            results.push_back(file);
            continue;
        }
        EXPECT_GT(image.width, 0);
        EXPECT_GT(image.height, 0);
        EXPECT_EQ(image.pixels.size(),
                  static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
        const auto found = refs.find(folder + "/" + file.name);
        file.result = EResult::kNoReference;
        if (found != refs.end() && !found->second.empty()) {
            file.result = EResult::kDiffers;
            for (const std::string& ref : found->second) {
                std::optional<Bitmap> want = LoadPng(kSuite / "html" / ref);
                EXPECT_TRUE(want.has_value()) << ref;
                int tolerance = 0;
                for (const SReferenceNote& note : ReferenceNotes()) {
                    if (want && folder + "/" + file.name == note.file) {
                        tolerance = note.tolerance;
                        if (note.adjust) {
                            note.adjust(*want);
                        }
                    }
                }
                const std::string diff = want ? Difference(image, *want, tolerance) : "unreadable";
                if (diff.empty()) {
                    file.result = EResult::kMatches;
                    file.detail.clear();
                    break;
                }
                file.detail += ref + ": " + diff + "; ";
            }
        }
        results.push_back(file);
    }
    std::map<EResult, int> counts;
    for (const SSuiteFile& file : results) {
        ++counts[file.result];
        std::cout << "  " << folder << "/" << file.name << ": " << Name(file.result)
                  << (file.detail.empty() ? "" : " (" + file.detail + ")") << "\n";
    }
    std::cout << folder << "/: " << results.size() << " files, "
              << results.size() - static_cast<std::size_t>(counts[EResult::kRefused]) << " loaded ("
              << counts[EResult::kMatches] << " match their reference), "
              << counts[EResult::kRefused] << " refused\n";
    return results;
}

// Checks each file of a folder against the expected outcome; every file must be listed.
void ExpectOutcomes(const std::string& folder, const std::map<std::string, EResult>& expected) {
    const std::vector<SSuiteFile> results = RunFolder(folder);
    EXPECT_EQ(results.size(), expected.size());
    for (const SSuiteFile& file : results) {
        const auto found = expected.find(file.name);
        ASSERT_NE(found, expected.end()) << folder << "/" << file.name << " is not listed";
        EXPECT_EQ(Name(file.result), std::string(Name(found->second)))
            << folder << "/" << file.name << " " << file.detail;
    }
}

constexpr EResult kRefused = EResult::kRefused;
constexpr EResult kMatches = EResult::kMatches;
constexpr EResult kNoReference = EResult::kNoReference;

TEST(BmpSuite, GoodFilesLoadExactlyUnlessRunLengthOrOs2) {
    ExpectOutcomes("g", {
                            {"pal1.bmp", kMatches},        {"pal1bg.bmp", kMatches},
                            {"pal1wb.bmp", kMatches},      {"pal4.bmp", kMatches},
                            {"pal4gs.bmp", kMatches},      {"pal4rle.bmp", kRefused},
                            {"pal8-0.bmp", kMatches},      {"pal8.bmp", kMatches},
                            {"pal8gs.bmp", kMatches},      {"pal8nonsquare.bmp", kMatches},
                            {"pal8os2.bmp", kRefused},     {"pal8rle.bmp", kRefused},
                            {"pal8topdown.bmp", kMatches}, {"pal8v4.bmp", kMatches},
                            {"pal8v5.bmp", kMatches},      {"pal8w124.bmp", kMatches},
                            {"pal8w125.bmp", kMatches},    {"pal8w126.bmp", kMatches},
                            {"rgb16-565.bmp", kMatches},   {"rgb16-565pal.bmp", kMatches},
                            {"rgb16.bmp", kMatches},       {"rgb16bfdef.bmp", kMatches},
                            {"rgb24.bmp", kMatches},       {"rgb24pal.bmp", kMatches},
                            {"rgb32.bmp", kMatches},       {"rgb32bf.bmp", kMatches},
                            {"rgb32bfdef.bmp", kMatches},
                        });
}

// Questionable files: those read are exactly the layouts above, and each shows its reference.
// Refused: 2 and 64 bits per pixel, run-length, embedded JPEG/PNG, every OS/2 header.
TEST(BmpSuite, QuestionableFilesLoadExactlyOrAreRefused) {
    ExpectOutcomes("q", {
                            {"pal1huffmsb.bmp", kRefused},
                            {"pal1p1.bmp", kMatches},
                            {"pal2.bmp", kRefused},
                            {"pal2color.bmp", kRefused},
                            {"pal4rlecut.bmp", kRefused},
                            {"pal4rletrns.bmp", kRefused},
                            {"pal8offs.bmp", kMatches},
                            {"pal8os2-hs.bmp", kRefused},
                            {"pal8os2-sz.bmp", kRefused},
                            {"pal8os2sp.bmp", kRefused},
                            {"pal8os2v2-16.bmp", kRefused},
                            {"pal8os2v2-40sz.bmp", kMatches},
                            {"pal8os2v2-sz.bmp", kRefused},
                            {"pal8os2v2.bmp", kRefused},
                            {"pal8oversizepal.bmp", kMatches},
                            {"pal8rlecut.bmp", kRefused},
                            {"pal8rletrns.bmp", kRefused},
                            {"rgb16-231.bmp", kMatches},
                            {"rgb16-3103.bmp", kMatches},
                            {"rgb16faketrns.bmp", kMatches},
                            {"rgb24jpeg.bmp", kRefused},
                            {"rgb24largepal.bmp", kMatches},
                            {"rgb24lprof.bmp", kMatches},
                            {"rgb24png.bmp", kRefused},
                            {"rgb24prof.bmp", kMatches},
                            {"rgb24prof2.bmp", kMatches},
                            {"rgb24rle24.bmp", kRefused},
                            {"rgb32-111110.bmp", kMatches},
                            {"rgb32-7187.bmp", kMatches},
                            {"rgb32-xbgr.bmp", kMatches},
                            {"rgb32fakealpha.bmp", kMatches},
                            {"rgb32h52.bmp", kMatches},
                            {"rgba16-1924.bmp", kMatches},
                            {"rgba16-4444.bmp", kMatches},
                            {"rgba16-5551.bmp", kMatches},
                            {"rgba32-1.bmp", kMatches},
                            {"rgba32-1010102.bmp", kMatches},
                            {"rgba32-2.bmp", kMatches},
                            {"rgba32-61754.bmp", kMatches},
                            {"rgba32-81284.bmp", kMatches},
                            {"rgba32abf.bmp", kMatches},
                            {"rgba32h56.bmp", kMatches},
                            {"rgba64.bmp", kRefused},
                        });
}

// Bad files are refused, or read safely where the damage is in fields the reader does not
// need (file size, image size, density, a header size above 40) or in the pixels themselves.
// Run this under AddressSanitizer to see that nothing is read out of bounds.
TEST(BmpSuite, BadAndRelatedFilesAreRefusedOrReadSafely) {
    ExpectOutcomes("b", {
                            {"badbitcount.bmp", kRefused},     {"badbitssize.bmp", kNoReference},
                            {"baddens1.bmp", kNoReference},    {"baddens2.bmp", kNoReference},
                            {"badfilesize.bmp", kNoReference}, {"badheadersize.bmp", kNoReference},
                            {"badpalettesize.bmp", kRefused},  {"badplanes.bmp", kRefused},
                            {"badrle.bmp", kRefused},          {"badrle4.bmp", kRefused},
                            {"badrle4bis.bmp", kRefused},      {"badrle4ter.bmp", kRefused},
                            {"badrlebis.bmp", kRefused},       {"badrleter.bmp", kRefused},
                            {"badwidth.bmp", kRefused},        {"pal8badindex.bmp", kNoReference},
                            {"reallybig.bmp", kRefused},       {"rgb16-880.bmp", kMatches},
                            {"rletopdown.bmp", kRefused},      {"shortfile.bmp", kRefused},
                        });
    ExpectOutcomes("x", {{"ba-bm.bmp", kRefused}});
}

// ---- Hand-made files ----

// A BMP file put together field by field. Masks go inside a header of 52 bytes or more, else
// after it; the colour table follows; the pixel offset defaults to the end of the table.
struct SBmpFile {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint32_t imageSize = 0;
    uint32_t usedColours = 0;
    std::vector<uint32_t> masks;
    std::vector<uint32_t> palette;  // 0xRRGGBB entries, written as B, G, R, 0
    std::vector<uint8_t> pixels;    // the rows as stored, padding included
    std::optional<uint32_t> offset;

    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> b;
        auto put16 = [&b](uint32_t v) {
            b.push_back(static_cast<uint8_t>(v));
            b.push_back(static_cast<uint8_t>(v >> 8U));
        };
        auto put32 = [&](uint32_t v) {
            put16(v & 0xFFFFU);
            put16(v >> 16U);
        };
        b.push_back('B');
        b.push_back('M');
        put32(0);  // file size, filled in below
        put32(0);
        put32(0);  // pixel offset, filled in below
        put32(headerSize);
        put32(static_cast<uint32_t>(width));
        put32(static_cast<uint32_t>(height));
        put16(planes);
        put16(bitCount);
        put32(compression);
        put32(imageSize);
        put32(2835);
        put32(2835);
        put32(usedColours);
        put32(0);
        const bool masksInside = headerSize >= 52;
        for (std::size_t i = 0; masksInside && i < masks.size() && b.size() + 4 <= 14 + headerSize;
             ++i) {
            put32(masks[i]);
        }
        b.resize(std::max<std::size_t>(b.size(), 14 + headerSize), 0);
        for (std::size_t i = 0; !masksInside && i < masks.size(); ++i) {
            put32(masks[i]);
        }
        for (uint32_t c : palette) {
            put32(c & 0xFFFFFFU);
        }
        const uint32_t at = offset.value_or(static_cast<uint32_t>(b.size()));
        b.resize(std::max<std::size_t>(b.size(), at), 0);
        b.insert(b.end(), pixels.begin(), pixels.end());
        const auto total = static_cast<uint32_t>(b.size());
        for (unsigned i = 0; i < 4; ++i) {
            b[2 + i] = static_cast<uint8_t>(total >> (8 * i));
            b[10 + i] = static_cast<uint8_t>(at >> (8 * i));
        }
        return b;
    }
};

// 2 x 2, 24 bits, bottom-up: rows of 6 bytes and 2 of padding.
SBmpFile Small24() {
    SBmpFile f;
    f.pixels = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,   // bottom: red, green
                0xFF, 0x00, 0x00, 0x10, 0x20, 0x30, 0, 0};  // top: blue, (0x30,0x20,0x10)
    return f;
}

std::optional<Bitmap> Decode(const std::vector<uint8_t>& bytes, std::string* why = nullptr) {
    Bitmap image;
    if (!DecodeBmp(bytes, image, why)) {
        return std::nullopt;
    }
    return image;
}

std::vector<uint32_t> Pixels(const std::optional<Bitmap>& image) {
    return image ? image->pixels : std::vector<uint32_t>{};
}

TEST(BmpReader, Reads24BitRowsBottomUpAndTopDown) {
    SBmpFile f = Small24();
    const std::vector<uint32_t> bottomUp = {Rgb(0, 0, 255), Rgb(0x30, 0x20, 0x10), Rgb(255, 0, 0),
                                            Rgb(0, 255, 0)};
    const std::optional<Bitmap> image = Decode(f.Build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->pixels, bottomUp);
    f.height = -2;
    EXPECT_EQ(Pixels(Decode(f.Build())),
              (std::vector<uint32_t>{bottomUp[2], bottomUp[3], bottomUp[0], bottomUp[1]}));
}

// Every prefix of a file is refused until the last row is there (its padding may be missing);
// this covers a cut header, a cut colour table and cut pixel rows.
TEST(BmpReader, RefusesEveryTruncatedFile) {
    for (uint16_t bits : {uint16_t{1}, uint16_t{8}, uint16_t{24}}) {
        SBmpFile f;
        f.width = 3;
        f.height = 3;
        f.bitCount = bits;
        if (bits <= 8) {
            f.palette.assign(std::size_t{1} << bits, 0x123456U);
        }
        const std::size_t rowBytes = (std::size_t{3} * bits + 7) / 8;
        f.pixels.assign(3 * 4 * ((rowBytes + 3) / 4), 0);
        const std::vector<uint8_t> whole = f.Build();
        const std::size_t shortest = whole.size() - ((rowBytes + 3) / 4 * 4 - rowBytes);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(n));
            std::string why;
            EXPECT_EQ(Decode(cut, &why).has_value(), n >= shortest)
                << bits << " bits, " << n << " of " << whole.size() << " bytes: " << why;
            if (n < shortest) {
                EXPECT_FALSE(why.empty());
            }
        }
    }
}

TEST(BmpReader, IgnoresTheImageSizeField) {
    const std::vector<uint32_t> want = Pixels(Decode(Small24().Build()));
    ASSERT_EQ(want.size(), 4U);
    for (uint32_t imageSize : {0U, 1U, 15U, 17U, 0x7FFFFFFFU, 0xFFFFFFFFU}) {
        SBmpFile f = Small24();
        f.imageSize = imageSize;
        EXPECT_EQ(Pixels(Decode(f.Build())), want) << imageSize;
    }
}

TEST(BmpReader, RefusesAPixelOffsetPastTheEndOrInsideTheHeader) {
    const std::vector<uint8_t> good = Small24().Build();
    // The last row needs 6 of the 8 bytes its offset leaves it.
    const auto end = static_cast<uint32_t>(good.size());
    for (uint32_t offset : {end - 13, end, end + 1, 0x7FFFFFFFU, 0xFFFFFFFFU, 0U, 14U, 53U}) {
        std::vector<uint8_t> bytes = good;
        for (unsigned i = 0; i < 4; ++i) {
            bytes[10 + i] = static_cast<uint8_t>(offset >> (8 * i));
        }
        EXPECT_FALSE(Decode(bytes)) << offset;
    }
}

TEST(BmpReader, EightBitsWithUsedColoursZeroHaveAFullTable) {
    SBmpFile f;
    f.width = 4;
    f.height = 1;
    f.bitCount = 8;
    for (uint32_t i = 0; i < 256; ++i) {
        f.palette.push_back(i * 0x010101U ^ 0x00FF00U);
    }
    f.pixels = {0, 1, 254, 255};
    const std::vector<uint8_t> bytes = f.Build();
    ASSERT_EQ(bytes.size(), 14U + 40U + 1024U + 4U);
    EXPECT_EQ(Pixels(Decode(bytes)), (std::vector<uint32_t>{Rgb(0, 255, 0), Rgb(1, 254, 1),
                                                            Rgb(254, 1, 254), Rgb(255, 0, 255)}));
    // The same header with a table of 252 entries: the 256 it implies run past the end.
    f.palette.resize(252);
    f.pixels.clear();
    EXPECT_FALSE(Decode(f.Build()));
}

// Indexes beyond a short colour table are black.
TEST(BmpReader, IndexesBeyondTheTableAreBlack) {
    SBmpFile f;
    f.width = 9;
    f.height = 1;
    f.bitCount = 4;
    f.usedColours = 3;
    f.palette = {0xFF0000U, 0x00FF00U, 0x0000FFU};
    f.pixels = {0x01, 0x23, 0x45, 0x67, 0xF0, 0, 0, 0};
    const uint32_t k = Rgb(0, 0, 0);
    EXPECT_EQ(Pixels(Decode(f.Build())), (std::vector<uint32_t>{Rgb(255, 0, 0), Rgb(0, 255, 0),
                                                                Rgb(0, 0, 255), k, k, k, k, k, k}));
}

TEST(BmpReader, ReadsOneBitRowsMostSignificantBitFirst) {
    SBmpFile f;
    f.width = 10;
    f.height = 1;
    f.bitCount = 1;
    f.palette = {0x102030U, 0xA0B0C0U};
    f.pixels = {0b10110000, 0b01000000, 0, 0};
    const uint32_t a = Rgb(0x10, 0x20, 0x30);
    const uint32_t b = Rgb(0xA0, 0xB0, 0xC0);
    EXPECT_EQ(Pixels(Decode(f.Build())), (std::vector<uint32_t>{b, a, b, b, a, a, a, a, a, b}));
}

TEST(BmpReader, SixteenBitsWithThreeMasksAfterA40ByteHeader) {
    SBmpFile f;
    f.width = 5;
    f.height = 1;
    f.bitCount = 16;
    f.compression = 3;
    f.masks = {0xF800U, 0x07E0U, 0x001FU};
    f.pixels = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84, 0xFF, 0xFF, 0, 0};
    const std::vector<uint8_t> bytes = f.Build();
    ASSERT_EQ(bytes[10], 14 + 40 + 12);
    // 16 of 31 is 131.6 and 32 of 63 is 129.5: values round to the nearest of 0..255.
    EXPECT_EQ(Pixels(Decode(bytes)),
              (std::vector<uint32_t>{Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255),
                                     Rgb(132, 130, 132), Rgb(255, 255, 255)}));
    // Without bit fields the same words are 5-5-5 and the top bit is unused.
    f.compression = 0;
    f.masks.clear();
    EXPECT_EQ(Pixels(Decode(f.Build())),
              (std::vector<uint32_t>{Rgb(247, 0, 0), Rgb(8, 255, 0), Rgb(0, 0, 255), Rgb(8, 0, 132),
                                     Rgb(255, 255, 255)}));
}

TEST(BmpReader, ThirtyTwoBitsIgnoreAlphaAndTheFourthByte) {
    SBmpFile f;
    f.width = 2;
    f.height = 1;
    f.bitCount = 32;
    f.pixels = {0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x99};
    const std::vector<uint32_t> want = {Rgb(0x30, 0x20, 0x10), Rgb(0x60, 0x50, 0x40)};
    EXPECT_EQ(Pixels(Decode(f.Build())), want);
    // A version 5 header without bit fields keeps B, G, R, x whatever masks it carries.
    f.headerSize = 124;
    f.masks = {0xFFU, 0xFF00U, 0xFF0000U, 0xFF000000U};
    EXPECT_EQ(Pixels(Decode(f.Build())), want);
    // With bit fields the masks in the header count: here R and B exchanged.
    f.compression = 3;
    EXPECT_EQ(Pixels(Decode(f.Build())),
              (std::vector<uint32_t>{Rgb(0x10, 0x20, 0x30), Rgb(0x40, 0x50, 0x60)}));
    // Alpha bit fields after a 40-byte header take four masks.
    f.headerSize = 40;
    f.compression = 6;
    std::vector<uint8_t> bytes = f.Build();
    ASSERT_EQ(bytes[10], 14 + 40 + 16);
    EXPECT_EQ(Pixels(Decode(bytes)),
              (std::vector<uint32_t>{Rgb(0x10, 0x20, 0x30), Rgb(0x40, 0x50, 0x60)}));
}

TEST(BmpReader, ReadsTheLargestSides) {
    SBmpFile wide;
    wide.width = kBmpMaxSide;
    wide.height = 1;
    wide.bitCount = 1;
    wide.palette = {0x000000U, 0xFFFFFFU};
    wide.pixels.assign(kBmpMaxSide / 8, 0);
    wide.pixels.back() = 0x01;
    const std::optional<Bitmap> a = Decode(wide.Build());
    ASSERT_TRUE(a);
    EXPECT_EQ(a->At(kBmpMaxSide - 1, 0), Rgb(255, 255, 255));
    EXPECT_EQ(a->At(kBmpMaxSide - 2, 0), Rgb(0, 0, 0));

    SBmpFile tall;
    tall.width = 1;
    tall.height = -kBmpMaxSide;
    tall.pixels.assign(std::size_t{4} * kBmpMaxSide, 0);
    tall.pixels[tall.pixels.size() - 4] = 0xFF;
    const std::optional<Bitmap> b = Decode(tall.Build());
    ASSERT_TRUE(b);
    EXPECT_EQ(b->At(0, kBmpMaxSide - 1), Rgb(0, 0, 255));
    EXPECT_EQ(b->At(0, kBmpMaxSide - 2), Rgb(0, 0, 0));
}

// Each row breaks one rule of an otherwise good file.
TEST(BmpReader, RefusesWhatItCannotOrMustNotRead) {
    struct SCase {
        const char* what;
        const char* reason;
        std::function<void(SBmpFile&)> change;
    };
    auto masks16 = [](SBmpFile& f, std::vector<uint32_t> masks) {
        f.bitCount = 16;
        f.compression = 3;
        f.masks = std::move(masks);
        f.pixels.assign(8, 0);
    };
    const std::vector<SCase> cases = {
        {"OS/2 core header", "OS/2 bitmap", [](SBmpFile& f) { f.headerSize = 12; }},
        {"OS/2 header of 16", "OS/2 bitmap", [](SBmpFile& f) { f.headerSize = 16; }},
        {"OS/2 header of 64", "OS/2 bitmap", [](SBmpFile& f) { f.headerSize = 64; }},
        {"header of 39", "bad header size", [](SBmpFile& f) { f.headerSize = 39; }},
        {"width 0", "bad width or height", [](SBmpFile& f) { f.width = 0; }},
        {"negative width", "bad width or height", [](SBmpFile& f) { f.width = -2; }},
        {"height 0", "bad width or height", [](SBmpFile& f) { f.height = 0; }},
        {"smallest height", "image too large", [](SBmpFile& f) { f.height = INT32_MIN; }},
        {"width above 16384", "image too large", [](SBmpFile& f) { f.width = kBmpMaxSide + 1; }},
        {"height above 16384", "image too large", [](SBmpFile& f) { f.height = -kBmpMaxSide - 1; }},
        {"too many pixels", "image too large",
         [](SBmpFile& f) { f.width = f.height = kBmpMaxSide; }},
        {"planes 0", "bad plane count", [](SBmpFile& f) { f.planes = 0; }},
        {"planes 2", "bad plane count", [](SBmpFile& f) { f.planes = 2; }},
        {"0 bits", "bad bit count", [](SBmpFile& f) { f.bitCount = 0; }},
        {"2 bits", "bad bit count", [](SBmpFile& f) { f.bitCount = 2; }},
        {"64 bits", "bad bit count", [](SBmpFile& f) { f.bitCount = 64; }},
        {"RLE8", "run-length compressed", [](SBmpFile& f) { f.compression = 1; }},
        {"RLE4", "run-length compressed", [](SBmpFile& f) { f.compression = 2; }},
        {"JPEG", "embedded JPEG or PNG", [](SBmpFile& f) { f.compression = 4; }},
        {"PNG", "embedded JPEG or PNG", [](SBmpFile& f) { f.compression = 5; }},
        {"CMYK", "unknown compression", [](SBmpFile& f) { f.compression = 11; }},
        {"bit fields at 24 bits", "bit fields at this bit count",
         [](SBmpFile& f) { f.compression = 3; }},
        {"bit fields at 8 bits", "bit fields at this bit count",
         [](SBmpFile& f) {
             f.bitCount = 8;
             f.compression = 3;
             f.masks = {0xE0U, 0x1CU, 0x03U};
         }},
        {"mask with a gap", "bad bit fields",
         [&](SBmpFile& f) {
             masks16(f, {0xF000U, 0x0F0FU, 0x00F0U});
         }},
        {"mask beyond 16 bits", "bad bit fields",
         [&](SBmpFile& f) {
             masks16(f, {0x1F0000U, 0x07E0U, 0x001FU});
         }},
        {"masks past the end", "bit fields past the end of the file",
         [&](SBmpFile& f) {
             masks16(f, {0xF800U, 0x07E0U});
             f.pixels.clear();
         }},
        {"used colours past the end", "colour table past the end of the file",
         [](SBmpFile& f) {
             f.bitCount = 8;
             f.usedColours = 0xFFFFFFFFU;
             f.palette.assign(2, 0);
         }},
    };
    for (const SCase& c : cases) {
        SBmpFile f = Small24();
        c.change(f);
        Bitmap out(1, 1, Rgb(1, 2, 3));
        std::string why;
        EXPECT_FALSE(DecodeBmp(f.Build(), out, &why)) << c.what;
        EXPECT_EQ(why, c.reason) << c.what;
        EXPECT_EQ(out.width, 1) << c.what;
        EXPECT_EQ(Pixels(out), std::vector<uint32_t>{Rgb(1, 2, 3)}) << c.what;
    }
    std::vector<uint8_t> bytes = Small24().Build();
    bytes[1] = 'A';
    EXPECT_FALSE(Decode(bytes));
    for (uint8_t size : {0x7F, 0xFF}) {  // header sizes past the end of the file
        bytes = Small24().Build();
        bytes[17] = size;
        EXPECT_FALSE(Decode(bytes));
    }
}

}  // namespace
