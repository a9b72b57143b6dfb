#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch.h"
#include "tilmar/options.h"

namespace {

using test_support::RunResult;
using test_support::Scratch;
using Args = std::vector<std::string>;

RunResult tilmar(Scratch const& scratch, Args const& args) { return test_support::run(TILMAR, args, scratch.dir()); }

// Bytes that differ from one position to the next, so a misplaced tile shows.
std::string numbered_bytes(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((i * 97 + i / 18 * 13 + 1) & 0xFF);
    return bytes;
}

std::uint32_t field(std::string const& file, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(file.at(offset + i));
    return value;
}

void set_field(std::string& file, std::size_t offset, std::size_t size, std::uint32_t value) {
    for (std::size_t i = 0; i < size; ++i) file.at(offset + i) = static_cast<char>(value >> (8 * i));
}

// Extracts `tiles` tiles of rom.bin (at offset 0) into the named bitmap and returns its bytes.
std::string extracted(Scratch const& scratch, int tiles, std::string const& bmp = "tiles.bmp") {
    RunResult const r = tilmar(scratch, {"-t", std::to_string(tiles), "rom.bin", bmp});
    EXPECT_EQ(r.status, 0) << r.out;
    return scratch.read(bmp);
}

std::string const usage = tilmar::usage_text();

TEST(TilmarRun, NoArgumentsPrintsEveryMissingPartThenTheUsage) {
    Scratch scratch;
    RunResult const r = tilmar(scratch, {});
    EXPECT_EQ(r.out, "missing rom filename\nmissing bitmap filename\nmissing number of tiles to extract/insert\n" + usage);
    EXPECT_EQ(r.status, 1);
}

TEST(TilmarRun, WrongCommandLinesWriteNothing) {
    Scratch scratch;
    std::string const rom = numbered_bytes(18 * 4);
    scratch.write("rom.bin", rom);
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"rom.bin", "tiles.bmp", "-t"}, "missing value for option -t\n" + usage},
        {{"-i", "-t", "4", "rom.bin", "tiles.bmp", "-o"}, "missing value for option -o\n" + usage},
        {{"-t", "four", "rom.bin", "tiles.bmp"}, "invalid number for option -t: four\n" + usage},
        {{"-i", "-t", "-4", "rom.bin", "tiles.bmp"}, "negative value for option -t: -4\n" + usage},
        {{"-i", "-t", "4", "-o", "-18", "rom.bin", "tiles.bmp"}, "negative value for option -o: -18\n" + usage},
        {{"-t", "4", "rom.bin", "tiles.bmp", "more.bmp"}, "invalid option: more.bmp\n" + usage},
        {{"-t", "4", "-I", "rom.bin", "tiles.bmp"}, "invalid option: -I\n" + usage},
        {{"-t", "0", "rom.bin", "tiles.bmp"}, "missing number of tiles to extract/insert\n" + usage},
        {{"-t", "4", "rom.bin"}, "missing bitmap filename\n" + usage},
        {{"-t", "4", "rom.bin", "rom.bin"}, "rom file and bitmap file are the same: rom.bin\n" + usage},
        {{"-i", "-n", "-t", "4", "rom.bin", "rom.bin"}, "rom file and bitmap file are the same: rom.bin\n" + usage},
    };
    for (auto const& c : cases) {
        RunResult const r = tilmar(scratch, c.args);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(scratch.exists("tiles.bmp"));
        EXPECT_EQ(scratch.read("rom.bin"), rom);
    }
}

TEST(TilmarExtract, SixteenTilesMakeA192By12Picture) {
    Scratch scratch;
    std::string rom(18 * 16, '\0');
    rom[0] = '\x80';                               // tile 0: its top-left pixel
    for (int i = 18 * 15; i < 18 * 16; ++i) rom[i] = '\xFF';  // tile 15: solid
    scratch.write("rom.bin", rom);
    RunResult const r = tilmar(scratch, {"-e", "-t", "16", "rom.bin", "tiles.bmp"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);

    std::string const bmp = scratch.read("tiles.bmp");
    ASSERT_EQ(bmp.size(), 350u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(field(bmp, 2, 4), 350u);
    EXPECT_EQ(field(bmp, 10, 4), 62u);
    EXPECT_EQ(field(bmp, 18, 4), 192u);
    EXPECT_EQ(field(bmp, 22, 4), 12u);
    EXPECT_EQ(field(bmp, 28, 2), 1u);
    EXPECT_EQ(field(bmp, 34, 4), 288u);
    EXPECT_EQ(bmp.substr(54, 8), std::string("\0\0\0\0\xFF\xFF\xFF\0", 8));
    for (int stored = 0; stored < 12; ++stored) {
        std::string row(24, '\0');
        row[22] = '\x0F';  // tile 15: bits 180 to 191
        row[23] = '\xFF';
        if (stored == 11) row[0] = '\x80';  // the top pixel row is stored last
        EXPECT_EQ(bmp.substr(62 + stored * 24, 24), row) << "stored row " << stored;
    }
}

TEST(TilmarExtract, PictureSizesAndColours) {
    Scratch scratch;
    scratch.write("rom.bin", numbered_bytes(18 * 40));
    struct Case {
        Args options;
        std::uint32_t width, height, data_size;
        std::string palette;
    } const cases[] = {
        {{"-t", "20"}, 192, 24, 576, std::string("\0\0\0\0\xFF\xFF\xFF\0", 8)},
        {{"-t", "10", "-c", "10"}, 120, 12, 192, std::string("\0\0\0\0\xFF\xFF\xFF\0", 8)},
        {{"-t", "20", "-c", "0"}, 192, 24, 576, std::string("\0\0\0\0\xFF\xFF\xFF\0", 8)},
        {{"-t", "3", "-c", "1", "-f", "0xff0000"}, 12, 36, 144, std::string("\0\0\0\0\0\0\xFF\0", 8)},
        {{"-t", "1", "-b", "0x123456", "-f", "0"}, 192, 12, 288, std::string("\x56\x34\x12\0\0\0\0\0", 8)},
        {{"-t", "1", "-c", "3", "-n", "-o", "0x10"}, 36, 12, 96, std::string("\0\0\0\0\xFF\xFF\xFF\0", 8)},
    };
    for (auto const& c : cases) {
        Args args = c.options;
        args.insert(args.end(), {"rom.bin", "tiles.bmp"});
        RunResult const r = tilmar(scratch, args);
        ASSERT_EQ(r.status, 0) << r.out;
        std::string const bmp = scratch.read("tiles.bmp");
        EXPECT_EQ(bmp.size(), 62 + c.data_size);
        EXPECT_EQ(field(bmp, 2, 4), 62 + c.data_size);
        EXPECT_EQ(field(bmp, 18, 4), c.width);
        EXPECT_EQ(field(bmp, 22, 4), c.height);
        EXPECT_EQ(field(bmp, 34, 4), c.data_size);
        EXPECT_EQ(bmp.substr(54, 8), c.palette);
    }
}

TEST(TilmarExtract, RefusalsLeaveAnExistingBitmapAlone) {
    Scratch scratch;
    scratch.write("rom.bin", numbered_bytes(18 * 4));
    scratch.write("tiles.bmp", "my edited picture");
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"-t", "1", "missing.bin", "tiles.bmp"}, "unable to open rom file missing.bin for reading\n"},
        {{"-t", "5", "rom.bin", "tiles.bmp"}, "rom.bin rom file is too small"},
        {{"-t", "4", "-o", "1", "rom.bin", "tiles.bmp"}, "rom.bin rom file is too small"},
        {{"-t", "1", "-o", "0x7fffffff", "rom.bin", "tiles.bmp"}, "rom.bin rom file is too small"},
        {{"-t", "1", "-c", "200000000", "rom.bin", "tiles.bmp"},
         "a bitmap of 2400000000 x 12 pixels is too large for a BMP file\n"},
    };
    for (auto const& c : cases) {
        RunResult const r = tilmar(scratch, c.args);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(scratch.read("tiles.bmp"), "my edited picture");
    }
    RunResult const r = tilmar(scratch, {"-t", "1", "rom.bin", "no/such/folder.bmp"});
    EXPECT_EQ(r.out, "unable to open bitmap file no/such/folder.bmp for writing\n");
    EXPECT_EQ(r.status, 1);
}

TEST(TilmarRoundTrip, InsertionGivesBackTheExtractedBytes) {
    Scratch scratch;
    std::string const rom = numbered_bytes(7 + 18 * 40);
    scratch.write("rom.bin", rom);
    for (std::string const columns : {"1", "3", "10", "0"}) {
        for (int n = 1; n <= 40; ++n) {
            std::string const tiles = std::to_string(n);
            RunResult const out = tilmar(scratch, {"-t", tiles, "-c", columns, "-o", "7", "rom.bin", "tiles.bmp"});
            ASSERT_EQ(out.status, 0) << out.out;
            RunResult const in = tilmar(scratch, {"-i", "-n", "-t", tiles, "-o", "7", "back.bin", "tiles.bmp"});
            ASSERT_EQ(in.status, 0) << in.out;
            EXPECT_EQ(in.out, "");
            EXPECT_EQ(scratch.read("back.bin"), std::string(7, '\0') + rom.substr(7, 18 * n))
                << n << " tiles, -c " << columns;
        }
    }
}

TEST(TilmarInsert, InPlaceChangesOnlyTheTiles) {
    Scratch scratch;
    std::string const source = numbered_bytes(18 * 20);
    scratch.write("rom.bin", source);
    extracted(scratch, 20);
    std::string const target(1000, '\xAA');
    scratch.write("target.bin", target);
    RunResult const r = tilmar(scratch, {"-t", "20", "-i", "-o", "100", "target.bin", "tiles.bmp"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(scratch.read("target.bin"), target.substr(0, 100) + source + target.substr(100 + 18 * 20));
}

TEST(TilmarInsert, NewFileWithAnOffsetStartsWithZeros) {
    Scratch scratch;
    std::string const source = numbered_bytes(18 * 3);
    scratch.write("rom.bin", source);
    extracted(scratch, 3);
    scratch.write("new.bin", "old contents, longer than what replaces them............................");
    RunResult const r = tilmar(scratch, {"-i", "-n", "-o", "16", "-t", "3", "new.bin", "tiles.bmp"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(scratch.read("new.bin"), std::string(16, '\0') + source);
}

TEST(TilmarInsert, FewerTilesThanThePictureHoldsAreItsFirstOnes) {
    Scratch scratch;
    std::string const source = numbered_bytes(18 * 20);
    scratch.write("rom.bin", source);
    extracted(scratch, 20);
    scratch.write("target.bin", std::string(18 * 20, '\0'));
    RunResult const r = tilmar(scratch, {"-i", "-t", "16", "target.bin", "tiles.bmp"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(scratch.read("target.bin"), source.substr(0, 18 * 16) + std::string(18 * 4, '\0'));
}

// The picture's rows stored in the other order, with a negative height.
std::string top_down(std::string const& bmp) {
    std::uint32_t const height = field(bmp, 22, 4);
    std::size_t const row = (field(bmp, 18, 4) + 31) / 32 * 4;
    std::string flipped = bmp.substr(0, 62);
    for (std::uint32_t stored = height; stored-- > 0;) flipped += bmp.substr(62 + stored * row, row);
    set_field(flipped, 22, 4, static_cast<std::uint32_t>(-static_cast<std::int32_t>(height)));
    return flipped;
}

TEST(TilmarInsert, OtherwiseSoundBitmapsAreReadRight) {
    Scratch scratch;
    std::string const source = numbered_bytes(18 * 20);
    scratch.write("rom.bin", source);
    std::string const bmp = extracted(scratch, 20);

    std::string no_size = bmp;
    set_field(no_size, 34, 4, 0);
    std::string later_data = bmp.substr(0, 62) + std::string(10, '\x77') + bmp.substr(62);
    set_field(later_data, 10, 4, 72);
    std::string taller = bmp.substr(0, 62) + std::string(24 * 7, '\xFF') + bmp.substr(62);  // 7 rows below
    set_field(taller, 22, 4, 31);
    set_field(taller, 34, 4, 24 * 31);
    struct Case {
        char const* what;
        std::string file;
    } const cases[] = {
        {"top-down rows", top_down(bmp)},
        {"pixel data size 0", no_size},
        {"pixel data after a gap", later_data},
        {"rows below the last tile row", taller},
    };
    for (auto const& c : cases) {
        scratch.write("case.bmp", c.file);
        scratch.write("target.bin", std::string(18 * 20, '\0'));
        RunResult const r = tilmar(scratch, {"-i", "-t", "20", "target.bin", "case.bmp"});
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_EQ(r.status, 0) << c.what;
        EXPECT_EQ(scratch.read("target.bin"), source) << c.what;
    }
}

TEST(TilmarInsert, RefusedBitmapsLeaveTheRomAsItWas) {
    Scratch scratch;
    scratch.write("rom.bin", numbered_bytes(18 * 20));
    std::string const bmp = extracted(scratch, 20);  // 192 × 24, rows of 24 bytes, 576 bytes of data

    auto with = [&bmp](std::size_t offset, std::size_t size, std::uint32_t value) {
        std::string changed = bmp;
        set_field(changed, offset, size, value);
        return changed;
    };
    struct Case {
        char const* what;
        std::string file;
        std::string out;
    } const cases[] = {
        {"text of 62 bytes", std::string(62, 't'), "case.bmp is not a bitmap file\n"},
        {"text of 61 bytes", std::string(61, 't'), "bitmap file case.bmp is too small\n"},
        {"empty", "", "bitmap file case.bmp is too small\n"},
        // Read by colour, the 1-bit file's layout leaves no room for their palettes or rows.
        {"4 bits per pixel", with(28, 2, 4),
         "bitmap file case.bmp has 4-bit pixels and a palette of size 16 that does not fit in the file before its pixel "
         "data; nothing was changed\n"},
        {"24 bits per pixel", with(28, 2, 24), "case.bmp bitmap file is too small"},
        {"8 pixels wide", with(18, 4, 8), "bitmap file case.bmp is 8 pixels wide, narrower than a tile (12 pixels)\n"},
        {"0 pixels wide", with(18, 4, 0), "bitmap file case.bmp is 0 pixels wide, narrower than a tile (12 pixels)\n"},
        {"190 pixels wide", with(18, 4, 190),
         "bitmap file case.bmp is 190 pixels wide, not a multiple of the tile width (12 pixels)\n"},
        {"one tile row", with(22, 4, 12), "bitmap file case.bmp is too small\n"},
        {"23 pixels high", with(22, 4, 23), "bitmap file case.bmp is too small\n"},
        {"height 0", with(22, 4, 0), "bitmap file case.bmp is too small\n"},
        {"top-down, one tile row", with(22, 4, static_cast<std::uint32_t>(-12)), "bitmap file case.bmp is too small\n"},
        {"data cut short", bmp.substr(0, bmp.size() - 1), "case.bmp bitmap file is too small"},
        {"size field past the end", with(34, 4, 577), "case.bmp bitmap file is too small"},
        {"offset past the end", with(10, 4, 0xFFFFFFFF), "case.bmp bitmap file is too small"},
        {"huge height", with(22, 4, 0x7FFFFFFF), "case.bmp bitmap file is too small"},
        {"huge width", with(18, 4, 0xFFFFFFFC), "case.bmp bitmap file is too small"},
        {"size field below the rows", with(34, 4, 288),
         "bitmap file case.bmp gives 288 bytes of pixel data where its rows take 576\n"},
    };
    std::string const rom = numbered_bytes(1000);
    for (auto const& c : cases) {
        scratch.write("case.bmp", c.file);
        for (bool create : {false, true}) {
            scratch.write("target.bin", rom);
            Args args{"-i", "-t", "20", "target.bin", "case.bmp"};
            if (create) args.push_back("-n");
            RunResult const r = tilmar(scratch, args);
            EXPECT_EQ(r.out, c.out) << c.what;
            EXPECT_EQ(r.status, 1) << c.what;
            EXPECT_EQ(scratch.read("target.bin"), rom) << c.what << (create ? " with -n" : "");
        }
    }
}

TEST(TilmarInsert, FilesThatCannotBeOpened) {
    Scratch scratch;
    scratch.write("rom.bin", numbered_bytes(18));
    extracted(scratch, 1);
    RunResult r = tilmar(scratch, {"-i", "-t", "1", "missing.bin", "tiles.bmp"});
    EXPECT_EQ(r.out, "unable to open rom file missing.bin for writing\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(scratch.exists("missing.bin"));

    r = tilmar(scratch, {"-i", "-t", "1", "rom.bin", "missing.bmp"});
    EXPECT_EQ(r.out, "unable to open bitmap file missing.bmp for reading\n");
    EXPECT_EQ(r.status, 1);

    r = tilmar(scratch, {"-i", "-n", "-t", "1", "no/such/folder.bin", "tiles.bmp"});
    EXPECT_EQ(r.out, "unable to open rom file no/such/folder.bin for writing\n");
    EXPECT_EQ(r.status, 1);
}

TEST(TilmarRun, FoldersAreNoFiles) {
    Scratch scratch;
    scratch.write("rom.bin", numbered_bytes(18));
    extracted(scratch, 1);
    std::filesystem::create_directory(scratch.path("folder"));
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"-t", "1", "folder", "x.bmp"}, "unable to open rom file folder for reading\n"},
        {{"-t", "1", "rom.bin", "folder"}, "unable to open bitmap file folder for writing\n"},
        {{"-i", "-t", "1", "folder", "tiles.bmp"}, "unable to open rom file folder for writing\n"},
        {{"-i", "-t", "1", "rom.bin", "folder"}, "unable to open bitmap file folder for reading\n"},
    };
    for (auto const& c : cases) {
        RunResult const r = tilmar(scratch, c.args);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.status, 1);
    }
    EXPECT_FALSE(scratch.exists("x.bmp"));
    EXPECT_EQ(scratch.read("rom.bin"), numbered_bytes(18));
}

}  // namespace
