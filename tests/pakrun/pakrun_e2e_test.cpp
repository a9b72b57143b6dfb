#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "pakrun/codec-encoder.h"
#include "support/process.h"
#include "support/scratch.h"

namespace {

using test_support::RunResult;
using test_support::Scratch;

std::string const usage =
    "\nPakrun - decompress or compress data from/to roms\n"
    "Usage: Pakrun [options] romfile decfile\n\n"
    "General Options:\n"
    "  -o\tOffset in rom file to start extracting or inserting, default = 0\n"
    "  -d\tDecompress data from rom\n"
    "  -c\tCompress data to rom\n\n"
    "Decompress Options:\n"
    "  -s\tSize of the uncompressed data (Mandatory)\n"
    "Compress Options:\n"
    "  -n\tCreate new file, default off\n";

// "abcabcabcabc" and its compressed form.
std::string const abc = "abcabcabcabc";
std::string const abcPacked = "\xE0\x61\x62\x63\xEF\x70";

RunResult pakrun(Scratch const& scratch, std::vector<std::string> const& args) {
    return test_support::run(PAKRUN, args, scratch.dir());
}

std::string compressed(std::string const& data) {
    std::string out(static_cast<std::size_t>(pakrun::pkCompBound(static_cast<long>(data.size()))), '\0');
    int const size = pakrun::pkComp(reinterpret_cast<unsigned char const*>(data.data()),
                                    reinterpret_cast<unsigned char*>(&out[0]), static_cast<int>(data.size()));
    out.resize(static_cast<std::size_t>(size));
    return out;
}

TEST(PakrunProgram, WithoutArgumentsNamesEverythingMissingThenShowsUsage) {
    Scratch scratch;
    RunResult const result = pakrun(scratch, {});
    EXPECT_EQ(result.out,
              "missing rom filename\nmissing decompressed data filename\nmissing decompressed data length\n" + usage);
    EXPECT_EQ(result.status, 1);
}

TEST(PakrunProgram, BadCommandLinesShowUsageAndTouchNoFile) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    Case const cases[] = {
        {{"-d", "rom.bin", "data.bin"}, "missing decompressed data length\n"},
        {{"-c", "rom.bin"}, "missing decompressed data filename\n"},
        {{"-x", "rom.bin", "data.bin"}, "invalid option: -x\n"},
        {{"-s", "12", "rom.bin", "data.bin", "more.bin"}, "invalid option: more.bin\n"},
        {{"-s", "12", "rom.bin", "data.bin", "-o"}, "missing value for option -o\n"},
        {{"-c", "-n", "rom.bin", "data.bin", "-s"}, "missing value for option -s\n"},
        {{"-o", "1O", "-s", "12", "rom.bin", "data.bin"}, "invalid offset: 1O\n"},
        {{"-c", "-n", "-o", "-4", "rom.bin", "data.bin"}, "invalid offset: -4\n"},
        {{"-s", "-12", "rom.bin", "data.bin"}, "invalid size: -12\n"},
        {{"-s", "twelve", "rom.bin", "data.bin"}, "invalid size: twelve\n"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        Scratch scratch;
        scratch.write("rom.bin", "ROM CONTENT");
        RunResult const result = pakrun(scratch, c.args);
        EXPECT_EQ(result.out, c.message + usage);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(scratch.read("rom.bin"), "ROM CONTENT");
        EXPECT_FALSE(scratch.exists("data.bin"));
    }
}

TEST(PakrunProgram, DecompressesABlockAtAnOffsetGivenInAnyBase) {
    struct Case {
        std::string offset;
        long value;
    };
    Case const cases[] = {{"0x8000", 0x8000}, {"32768", 0x8000}, {"0100", 64}, {"0", 0}};
    for (auto const& c : cases) {
        SCOPED_TRACE(c.offset);
        Scratch scratch;
        std::string const rom = std::string(static_cast<std::size_t>(c.value), '\x55') + abcPacked + std::string(40, '\x77');
        scratch.write("rom.bin", rom);
        RunResult const result = pakrun(scratch, {"-n", "-o", c.offset, "-s", "12", "rom.bin", "out.bin"});
        char expected[200];
        std::snprintf(expected, sizeof expected,
                      "Decompressed 12 bytes (compressed size = 6) from offset 0x%08lX of file rom.bin to file out.bin\n",
                      static_cast<unsigned long>(c.value));
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(scratch.read("out.bin"), abc);
        EXPECT_EQ(scratch.read("rom.bin"), rom);  // "-n" means nothing when decompressing
    }
}

TEST(PakrunProgram, ABlockThatEndsTheRomStillDecompresses) {
    // 12 bytes need 24 bytes of ROM from the offset if the program insists on twice the size;
    // the block is 6 bytes and lies wholly inside the file.
    Scratch scratch;
    scratch.write("rom.bin", std::string(100, '\x11') + abcPacked);
    RunResult result = pakrun(scratch, {"-o", "100", "-s", "12", "rom.bin", "out.bin"});
    EXPECT_EQ(result.out,
              "Decompressed 12 bytes (compressed size = 6) from offset 0x00000064 of file rom.bin to file out.bin\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read("out.bin"), abc);

    // One byte from a 3-byte reference: more than twice the size, still inside the file.
    scratch.write("one.bin", std::string("\x00\xEE\xF0", 3));
    result = pakrun(scratch, {"-s", "1", "one.bin", "out.bin"});
    EXPECT_EQ(result.out,
              "Decompressed 1 bytes (compressed size = 3) from offset 0x00000000 of file one.bin to file out.bin\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read("out.bin"), std::string(1, '\0'));
}

TEST(PakrunProgram, ABlockRunningPastTheEndOfTheRomFailsAndLeavesTheDataFileAlone) {
    struct Case {
        char const* name;
        std::string rom;
        std::string offset;
    };
    Case const cases[] = {
        {"length byte cut off", std::string(100, '\x11') + abcPacked.substr(0, 5), "100"},
        {"offset at the end", std::string(100, '\x11'), "100"},
        {"offset beyond the end", std::string(100, '\x11'), "0x1000"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch scratch;
        scratch.write("rom.bin", c.rom);
        scratch.write("out.bin", "previous data");
        RunResult const result = pakrun(scratch, {"-o", c.offset, "-s", "12", "rom.bin", "out.bin"});
        EXPECT_EQ(result.out, "rom.bin rom file is too small");
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(scratch.read("out.bin"), "previous data");
        EXPECT_EQ(scratch.read("rom.bin"), c.rom);
    }
}

TEST(PakrunProgram, DecompressionFailuresNameTheFile) {
    Scratch scratch;
    scratch.write("rom.bin", abcPacked);
    RunResult result = pakrun(scratch, {"-s", "12", "none.bin", "out.bin"});
    EXPECT_EQ(result.out, "unable to open rom file none.bin for reading\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(scratch.exists("out.bin"));

    result = pakrun(scratch, {"-s", "12", "rom.bin", "no-folder/out.bin"});
    EXPECT_EQ(result.out, "unable to open data file no-folder/out.bin for writing\n");
    EXPECT_EQ(result.status, 1);
}

TEST(PakrunProgram, CompressesIntoTheRomInPlaceLeavingTheRestAsItWas) {
    Scratch scratch;
    std::string const rom(64, '\xFF');
    scratch.write("rom.bin", rom);
    scratch.write("data.bin", abc);
    RunResult const result = pakrun(scratch, {"-c", "-o", "8", "rom.bin", "data.bin"});
    EXPECT_EQ(result.out,
              "Compressed 6 bytes (uncompressed size = 12) from file data.bin to offset 0x00000008 of file rom.bin\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read("rom.bin"), rom.substr(0, 8) + abcPacked + rom.substr(14));
}

TEST(PakrunProgram, CompressingWithNewFileCreatesItZeroFilledUpToTheOffset) {
    Scratch scratch;
    scratch.write("data.bin", abc);
    scratch.write("old.bin", std::string(100, 'x'));
    RunResult result = pakrun(scratch, {"-c", "-n", "-o", "0x10", "new.bin", "data.bin"});
    EXPECT_EQ(result.out,
              "Compressed 6 bytes (uncompressed size = 12) from file data.bin to offset 0x00000010 of file new.bin\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read("new.bin"), std::string(16, '\0') + abcPacked);

    result = pakrun(scratch, {"-c", "-n", "old.bin", "data.bin"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read("old.bin"), abcPacked);  // emptied, then written
}

TEST(PakrunProgram, AnEmptyDataFileCompressesToOneZeroByte) {
    Scratch scratch;
    scratch.write("rom.bin", "ABCDEFGH");
    scratch.write("empty.bin", "");
    RunResult const result = pakrun(scratch, {"-c", "-o", "2", "rom.bin", "empty.bin"});
    EXPECT_EQ(result.out,
              "Compressed 1 bytes (uncompressed size = 0) from file empty.bin to offset 0x00000002 of file rom.bin\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read("rom.bin"), std::string("AB\0DEFGH", 8));
}

TEST(PakrunProgram, CompressionFailuresLeaveTheRomUntouched) {
    Scratch scratch;
    scratch.write("rom.bin", "ROM CONTENT");
    scratch.write("data.bin", abc);
    RunResult result = pakrun(scratch, {"-c", "none.bin", "data.bin"});
    EXPECT_EQ(result.out, "unable to open rom file none.bin for writing\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(scratch.exists("none.bin"));

    for (std::vector<std::string> args : {std::vector<std::string>{"-c", "rom.bin", "none.bin"},
                                          std::vector<std::string>{"-c", "-n", "rom.bin", "none.bin"}}) {
        SCOPED_TRACE(::testing::PrintToString(args));
        result = pakrun(scratch, args);
        EXPECT_EQ(result.out, "unable to open data file none.bin for reading\n");
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(scratch.read("rom.bin"), "ROM CONTENT");
    }

    result = pakrun(scratch, {"-c", "-n", "no-folder/new.bin", "data.bin"});
    EXPECT_EQ(result.out, "unable to open rom file no-folder/new.bin for writing\n");
    EXPECT_EQ(result.status, 1);
}

TEST(PakrunProgram, CompressThenDecompressReportsTheSameCompressedSize) {
    Scratch scratch;
    std::string text;
    for (int i = 0; i < 120; ++i) text += "Line " + std::to_string(i % 7) + ": the quick brown fox.\n";
    scratch.write("script.bin", text);
    scratch.write("rom.bin", std::string(0x4000, '\xEA'));
    RunResult result = pakrun(scratch, {"-c", "-o", "0x1000", "rom.bin", "script.bin"});
    long const size = static_cast<long>(compressed(text).size());
    EXPECT_EQ(result.out, "Compressed " + std::to_string(size) + " bytes (uncompressed size = " +
                              std::to_string(text.size()) + ") from file script.bin to offset 0x00001000 of file rom.bin\n");
    ASSERT_EQ(result.status, 0);

    result = pakrun(scratch, {"-o", "4096", "-s", std::to_string(text.size()), "rom.bin", "back.bin"});
    EXPECT_EQ(result.out, "Decompressed " + std::to_string(text.size()) + " bytes (compressed size = " +
                              std::to_string(size) + ") from offset 0x00001000 of file rom.bin to file back.bin\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read("back.bin"), text);
}

TEST(PakrunProgram, FileNamesLongerThan260BytesWork) {
    Scratch scratch;
    std::string const folder(200, 'f');
    std::filesystem::create_directory(scratch.path(folder));
    std::string const rom = folder + "/" + std::string(100, 'r');
    std::string const data = folder + "/" + std::string(100, 'd');
    scratch.write(data, abc);
    RunResult result = pakrun(scratch, {"-c", "-n", rom, data});
    EXPECT_EQ(result.out, "Compressed 6 bytes (uncompressed size = 12) from file " + data +
                              " to offset 0x00000000 of file " + rom + "\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(scratch.read(rom), abcPacked);
}

}  // namespace
