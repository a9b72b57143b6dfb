// Hostile input for the whole program: file arguments that are no usable file, numbers that are
// no usable value, offsets and counts around the end of the ROM, and broken BMP files. Every
// refusal prints its message, exits with status 1 and leaves every file of the folder as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/refusal.h"
#include "support/scratch.h"
#include "tilmar/options.h"

namespace {

namespace fs = std::filesystem;
using test_support::RunResult;
using test_support::Scratch;
using test_support::Args;

std::string const usage = tilmar::usage_text();

RunResult tilmar(Scratch const& scratch, Args const& args) { return test_support::run(TILMAR, args, scratch.dir()); }

using test_support::with;

// Runs a command that must be refused: exactly this output, status 1, no file created or changed.
void expect_refused(Scratch const& scratch, Args const& args, std::string const& out) {
    test_support::expect_refused(TILMAR, scratch, args, out);
}

// Bytes that differ from one position to the next, so a misplaced tile shows.
std::string numbered_bytes(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((i * 89 + i / 18 * 7 + 3) & 0xFF);
    return bytes;
}

void set_field(std::string& file, std::size_t offset, std::size_t size, std::uint32_t value) {
    for (std::size_t i = 0; i < size; ++i) file.at(offset + i) = static_cast<char>(value >> (8 * i));
}

// rom.bin (4 tiles), tiles.bmp (those tiles, 16 to a row), empty.bin and an empty folder.
struct Fixture {
    Scratch scratch;
    std::string const rom = numbered_bytes(18 * 4);
    std::string bmp;

    Fixture() {
        scratch.write("rom.bin", rom);
        scratch.write("empty.bin", "");
        fs::create_directory(scratch.path("folder"));
        mkfifo(scratch.path("pipe").c_str(), 0600);
        RunResult const r = tilmar(scratch, {"-t", "4", "rom.bin", "tiles.bmp"});
        EXPECT_EQ(r.status, 0) << r.out;
        bmp = scratch.read("tiles.bmp");
    }
};

TEST(TilmarHostile, FileArgumentsThatAreNoUsableFile) {
    Fixture f;
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"-t", "1", "missing.bin", "out.bmp"}, "unable to open rom file missing.bin for reading\n"},
        {{"-t", "1", "folder", "out.bmp"}, "unable to open rom file folder for reading\n"},
        {{"-t", "1", "%s%n.bin", "out.bmp"}, "unable to open rom file %s%n.bin for reading\n"},
        {{"-t", "1", "-%s%n", "out.bmp"}, "invalid option: -%s%n\n" + usage},
        {{"-t", "1", "empty.bin", "out.bmp"}, "empty.bin rom file is too small"},
        {{"-t", "1", "rom.bin", "folder"}, "unable to open bitmap file folder for writing\n"},
        {{"-t", "1", "rom.bin", "no/such/out.bmp"}, "unable to open bitmap file no/such/out.bmp for writing\n"},
        {{"-i", "-t", "1", "folder", "tiles.bmp"}, "unable to open rom file folder for writing\n"},
        {{"-i", "-t", "1", "no/such/rom.bin", "tiles.bmp"}, "unable to open rom file no/such/rom.bin for writing\n"},
        {{"-i", "-t", "1", "rom.bin", "missing.bmp"}, "unable to open bitmap file missing.bmp for reading\n"},
        {{"-i", "-t", "1", "rom.bin", "folder"}, "unable to open bitmap file folder for reading\n"},
        {{"-i", "-t", "1", "rom.bin", "empty.bin"}, "bitmap file empty.bin is too small\n"},
    };
    // "-n" is ignored by extraction and must not let insertion create or empty a ROM it then refuses.
    for (auto const& c : cases) test_support::expect_refused_as_file(TILMAR, f.scratch, c.args, c.out);
    // Without "-n" a missing ROM is refused first; with it, the bitmap's refusal must not create the ROM.
    expect_refused(f.scratch, {"-i", "-t", "1", "new.bin", "tiles.bmp"},
                   "unable to open rom file new.bin for writing\n");
    expect_refused(f.scratch, {"-i", "-n", "-t", "1", "new.bin", "missing.bmp"},
                   "unable to open bitmap file missing.bmp for reading\n");
    expect_refused(f.scratch, {"-i", "-n", "-t", "1", "new.bin", "folder"},
                   "unable to open bitmap file folder for reading\n");
    expect_refused(f.scratch, {"-i", "-n", "-t", "1", "new.bin", "empty.bin"}, "bitmap file empty.bin is too small\n");
}

// Extracting into the ROM itself would replace the ROM with the picture, whatever name leads to it.
TEST(TilmarHostile, TheRomAndTheBitmapMustDiffer) {
    Fixture f;
    fs::create_symlink("rom.bin", f.scratch.path("link.bmp"));
    std::string const same = "rom file and bitmap file are the same: rom.bin\n" + usage;
    for (Args const& direction : {Args{}, Args{"-i"}, Args{"-i", "-n"}})
        for (char const* bitmap : {"rom.bin", "./rom.bin", "folder/../rom.bin", "link.bmp"})
            expect_refused(f.scratch, with(direction, {"-t", "1", "rom.bin", bitmap}), same);
}

TEST(TilmarHostile, UnreadableFiles) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root, where a file of mode 000 can still be read and written";
    Fixture f;
    f.scratch.write("locked.bin", f.rom);
    f.scratch.write("locked.bmp", f.bmp);
    chmod(f.scratch.path("locked.bin").c_str(), 0);
    chmod(f.scratch.path("locked.bmp").c_str(), 0);
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"-t", "1", "locked.bin", "out.bmp"}, "unable to open rom file locked.bin for reading\n"},
        {{"-t", "1", "rom.bin", "locked.bmp"}, "unable to open bitmap file locked.bmp for writing\n"},
        {{"-i", "-t", "1", "locked.bin", "tiles.bmp"}, "unable to open rom file locked.bin for writing\n"},
        {{"-i", "-t", "1", "rom.bin", "locked.bmp"}, "unable to open bitmap file locked.bmp for reading\n"},
    };
    for (auto const& c : cases) test_support::expect_refused_as_file(TILMAR, f.scratch, c.args, c.out);
    expect_refused(f.scratch, {"-i", "-n", "-t", "1", "new.bin", "locked.bmp"},
                   "unable to open bitmap file locked.bmp for reading\n");
}

TEST(TilmarHostile, NumbersThatAreNoUsableValue) {
    Fixture f;
    char const* const options[] = {"-t", "-o", "-c", "-f", "-b"};
    char const* const values[] = {"-1", "2147483648", "99999999999", "0x", "1e3", "", " 5", "12abc", "-0x7fffffff"};
    Args const directions[] = {{}, {"-i"}, {"-i", "-n"}};
    for (std::string const option : options) {
        for (std::string const value : values) {
            bool const negative = value[0] == '-';
            std::string const out =
                (negative ? "negative value for option " : "invalid number for option ") + option + ": " + value + "\n";
            for (auto const& direction : directions)
                expect_refused(f.scratch, with(direction, {"-t", "1", option, value, "rom.bin", "tiles.bmp"}),
                               out + usage);
        }
    }
    expect_refused(f.scratch, {"-t", "1", "-f", "0x1000000", "rom.bin", "out.bmp"},
                   "invalid color for option -f: 0x1000000 (0xRRGGBB expected)\n" + usage);
    expect_refused(f.scratch, {"-t", "1", "-c", "2147483647", "rom.bin", "out.bmp"},
                   "a bitmap of 25769803764 x 12 pixels is too large for a BMP file\n");
}

TEST(TilmarHostile, ExtractionAroundTheEndOfTheRom) {
    Fixture f;  // rom.bin holds 72 bytes: tiles at 0, 18, 36 and 54
    Args const fitting[] = {{"-t", "4"}, {"-t", "1", "-o", "54"}, {"-t", "2", "-o", "0x24"}};
    for (auto const& args : fitting) {
        SCOPED_TRACE(::testing::PrintToString(args));
        RunResult const r = tilmar(f.scratch, with(args, {"rom.bin", "out.bmp"}));
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(f.scratch.exists("out.bmp"));
        fs::remove(f.scratch.path("out.bmp"));
    }
    Args const past_the_end[] = {
        {"-t", "5"},
        {"-t", "1", "-o", "55"},
        {"-t", "1", "-o", "72"},
        {"-t", "1", "-o", "73"},
        {"-t", "1", "-o", "2147483647"},
        {"-t", "2147483647"},
        {"-t", "0x7fffffff", "-o", "0x7fffffff", "-c", "1"},
    };
    for (auto const& args : past_the_end)
        for (Args const& n : {Args{}, Args{"-n"}})
            expect_refused(f.scratch, with(with(args, n), {"rom.bin", "out.bmp"}), "rom.bin rom file is too small");
    expect_refused(f.scratch, {"-t", "1", "empty.bin", "out.bmp"}, "empty.bin rom file is too small");
    expect_refused(f.scratch, {"-t", "1", "-o", "1", "empty.bin", "tiles.bmp"}, "empty.bin rom file is too small");
}

TEST(TilmarHostile, InsertionAroundTheEndOfTheRom) {
    Fixture f;  // tiles.bmp has room for 16 tiles, the first 4 drawn
    std::string const tile0 = f.rom.substr(0, 18);
    struct Case {
        char const* rom;        // the ROM's bytes before the insertion
        Args args;
        std::string expected;   // after
    } const cases[] = {
        {"", {"-t", "1"}, tile0},
        {"", {"-t", "4", "-o", "1"}, std::string(1, '\0') + f.rom},
        {"0123456789", {"-t", "1", "-o", "10"}, "0123456789" + tile0},
        {"0123456789", {"-t", "1", "-o", "13"}, "0123456789" + std::string(3, '\0') + tile0},
        {"0123456789", {"-t", "1", "-o", "9"}, "012345678" + tile0},
        {"0123456789", {"-t", "1", "-o", "0x100000"}, "0123456789" + std::string(0x100000 - 10, '\0') + tile0},
        {"0123456789", {"-t", "16"}, f.rom + std::string(18 * 12, '\0')},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        f.scratch.write("target.bin", c.rom);
        RunResult const r = tilmar(f.scratch, with(with({"-i"}, c.args), {"target.bin", "tiles.bmp"}));
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(f.scratch.read("target.bin"), c.expected);
    }
    for (char const* tiles : {"17", "2147483647"})
        for (Args const& n : {Args{}, Args{"-n"}})
            expect_refused(f.scratch, with(with({"-i", "-t", tiles}, n), {"rom.bin", "tiles.bmp"}),
                           "bitmap file tiles.bmp is too small\n");
}

TEST(TilmarHostile, BrokenBitmaps) {
    Fixture f;
    ASSERT_TRUE(tilmar(f.scratch, {"-t", "4", "-c", "2", "rom.bin", "two.bmp"}).status == 0);
    std::string const bmp = f.scratch.read("two.bmp");  // 24 × 24: rows of 4 bytes, 96 bytes of pixel data
    ASSERT_EQ(bmp.size(), 62u + 96u);
    auto const changed = [&bmp](std::size_t offset, std::size_t size, std::uint32_t value) {
        std::string file = bmp;
        set_field(file, offset, size, value);
        return file;
    };
    std::string const too_small = "bitmap file case.bmp is too small\n";
    std::string const data_outside = "case.bmp bitmap file is too small";
    std::string const not_bitmap = "case.bmp is not a bitmap file\n";
    auto const unread_depth = [](char const* bits) {
        return "bitmap file case.bmp has " + std::string(bits) + "-bit pixels, which Tilmar does not read; nothing was changed\n";
    };
    auto const palette_outside = [](char const* bits, char const* size) {
        return "bitmap file case.bmp has " + std::string(bits) + "-bit pixels and a palette of size " + size +
               " that does not fit in the file before its pixel data; nothing was changed\n";
    };
    auto const wide = [](char const* width, char const* why) {
        return "bitmap file case.bmp is " + std::string(width) + " pixels wide, " + why + "\n";
    };
    char const* const not_multiple = "not a multiple of the tile width (12 pixels)";
    char const* const narrow = "narrower than a tile (12 pixels)";

    struct Case {
        std::string what;
        std::string file;
        std::string out;
    };
    std::vector<Case> cases = {
        {"header only", bmp.substr(0, 62), data_outside},
        {"one byte of pixel data", bmp.substr(0, 63), data_outside},
        {"one row short", bmp.substr(0, 62 + 92), data_outside},
        {"one byte short", bmp.substr(0, bmp.size() - 1), data_outside},
        {"magic BA", changed(0, 2, 'B' | 'A' << 8), not_bitmap},
        {"magic bm", changed(0, 2, 'b' | 'm' << 8), not_bitmap},
        {"magic MB", changed(0, 2, 'M' | 'B' << 8), not_bitmap},
        {"magic zero", changed(0, 2, 0), not_bitmap},
        {"0 bits per pixel", changed(28, 2, 0), unread_depth("0")},
        {"2 bits per pixel", changed(28, 2, 2), unread_depth("2")},
        // Read by colour, the 1-bit file's layout leaves no room for their palettes or rows.
        {"4 bits per pixel", changed(28, 2, 4), palette_outside("4", "16")},
        {"8 bits per pixel", changed(28, 2, 8), palette_outside("8", "256")},
        {"24 bits per pixel", changed(28, 2, 24), data_outside},
        {"32 bits per pixel", changed(28, 2, 32), data_outside},
        {"65535 bits per pixel", changed(28, 2, 0xFFFF), unread_depth("65535")},
        {"257 bits per pixel", changed(28, 2, 0x101), unread_depth("257")},
        {"width 0", changed(18, 4, 0), wide("0", narrow)},
        {"width 11", changed(18, 4, 11), wide("11", narrow)},
        {"width 25", changed(18, 4, 25), wide("25", not_multiple)},
        {"width -12", changed(18, 4, static_cast<std::uint32_t>(-12)), wide("4294967284", not_multiple)},
        {"width -1", changed(18, 4, 0xFFFFFFFF), wide("4294967295", not_multiple)},
        {"width 2147483640", changed(18, 4, 2147483640), data_outside},
        {"width 4294967292", changed(18, 4, 4294967292u), data_outside},
        {"width 36, rows past the end", changed(18, 4, 36), data_outside},
        {"height 0", changed(22, 4, 0), too_small},
        {"height 23", changed(22, 4, 23), too_small},
        {"height -12", changed(22, 4, static_cast<std::uint32_t>(-12)), too_small},
        {"height 2147483647", changed(22, 4, 0x7FFFFFFF), data_outside},
        {"height -2147483648", changed(22, 4, 0x80000000), data_outside},
        {"height 25", changed(22, 4, 25), data_outside},
        {"data offset at the end", changed(10, 4, 158), data_outside},
        {"data offset one row late", changed(10, 4, 66), data_outside},
        {"data offset 4294967295", changed(10, 4, 0xFFFFFFFF), data_outside},
        {"data offset 2147483648", changed(10, 4, 0x80000000), data_outside},
        {"data size one byte past the end", changed(34, 4, 97), data_outside},
        {"data size 4294967295", changed(34, 4, 0xFFFFFFFF), data_outside},
        {"data size one byte short", changed(34, 4, 95),
         "bitmap file case.bmp gives 95 bytes of pixel data where its rows take 96\n"},
    };
    // Cut anywhere in the 62-byte header, the file is too small to be a bitmap.
    for (std::size_t size = 0; size < 62; ++size)
        cases.push_back({"cut at " + std::to_string(size), bmp.substr(0, size), too_small});

    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        f.scratch.write("case.bmp", c.file);
        expect_refused(f.scratch, {"-i", "-t", "4", "rom.bin", "case.bmp"}, c.out);
        expect_refused(f.scratch, {"-i", "-n", "-t", "4", "rom.bin", "case.bmp"}, c.out);
        expect_refused(f.scratch, {"-i", "-n", "-t", "4", "new.bin", "case.bmp"}, c.out);
    }
}

}  // namespace
