// Hostile input for the whole program: file arguments that are no usable file, numbers that are
// no usable value, offsets and sizes around the end of the ROM, and compressed blocks that are cut
// short or garbage. Every refusal prints its message, exits with status 1 and leaves every file of
// the folder as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "pakrun/pakrun-options.h"
#include "support/process.h"
#include "support/refusal.h"
#include "support/scratch.h"

namespace {

namespace fs = std::filesystem;
using test_support::RunResult;
using test_support::Scratch;
using test_support::Args;

std::string const usage = pakrun::usageText;

// "abcabcabcabc" and its compressed form.
std::string const abc = "abcabcabcabc";
std::string const abcPacked = "\xE0\x61\x62\x63\xEF\x70";

RunResult pakrun(Scratch const& scratch, Args const& args) { return test_support::run(PAKRUN, args, scratch.dir()); }

using test_support::with;

// Runs a command that must be refused: exactly this output, status 1, no file created or changed.
void expectRefused(Scratch const& scratch, Args const& args, std::string const& out) {
    test_support::expect_refused(PAKRUN, scratch, args, out);
}

std::string decompressed(long size, long packed, long offset, std::string const& rom, std::string const& data) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "Decompressed %ld bytes (compressed size = %ld) from offset 0x%08lX of file %s to file %s\n", size,
                  packed, static_cast<unsigned long>(offset), rom.c_str(), data.c_str());
    return line;
}

std::string compressed(long packed, long size, std::string const& data, long offset, std::string const& rom) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "Compressed %ld bytes (uncompressed size = %ld) from file %s to offset 0x%08lX of file %s\n", packed,
                  size, data.c_str(), static_cast<unsigned long>(offset), rom.c_str());
    return line;
}

// rom.bin (ten bytes, then the compressed "abcabcabcabc"), data.bin ("abcabcabcabc"), empty.bin
// and an empty folder.
struct Fixture {
    Scratch scratch;
    std::string const rom = "0123456789" + abcPacked;

    Fixture() {
        scratch.write("rom.bin", rom);
        scratch.write("data.bin", abc);
        scratch.write("empty.bin", "");
        fs::create_directory(scratch.path("folder"));
        mkfifo(scratch.path("pipe").c_str(), 0600);
    }
};

TEST(PakrunHostile, FileArgumentsThatAreNoUsableFile) {
    Fixture f;
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"-o", "10", "-s", "12", "missing.bin", "out.bin"}, "unable to open rom file missing.bin for reading\n"},
        {{"-o", "10", "-s", "12", "folder", "out.bin"}, "unable to open rom file folder for reading\n"},
        {{"-o", "10", "-s", "12", "%s%n.bin", "out.bin"}, "unable to open rom file %s%n.bin for reading\n"},
        {{"-o", "10", "-s", "12", "-%s%n", "out.bin"}, "invalid option: -%s%n\n" + usage},
        {{"-o", "10", "-s", "12", "empty.bin", "out.bin"}, "empty.bin rom file is too small"},
        {{"-s", "1", "empty.bin", "out.bin"}, "empty.bin rom file is too small"},
        {{"-o", "10", "-s", "12", "rom.bin", "folder"}, "unable to open data file folder for writing\n"},
        {{"-o", "10", "-s", "12", "rom.bin", "no/such/out.bin"},
         "unable to open data file no/such/out.bin for writing\n"},
        {{"-c", "folder", "data.bin"}, "unable to open rom file folder for writing\n"},
        {{"-c", "no/such/rom.bin", "data.bin"}, "unable to open rom file no/such/rom.bin for writing\n"},
        {{"-c", "rom.bin", "missing.bin"}, "unable to open data file missing.bin for reading\n"},
        {{"-c", "rom.bin", "folder"}, "unable to open data file folder for reading\n"},
    };
    // "-n" is ignored by decompression and must not let compression create or empty a ROM it then refuses.
    for (auto const& c : cases) test_support::expect_refused_as_file(PAKRUN, f.scratch, c.args, c.out);
    // Without "-n" a missing ROM is refused first; with it, the data file's refusal must not create the ROM.
    expectRefused(f.scratch, {"-c", "new.bin", "data.bin"}, "unable to open rom file new.bin for writing\n");
    expectRefused(f.scratch, {"-c", "-n", "new.bin", "missing.bin"},
                  "unable to open data file missing.bin for reading\n");
    expectRefused(f.scratch, {"-c", "-n", "new.bin", "folder"}, "unable to open data file folder for reading\n");
}

// Decompressing into the ROM itself would replace the ROM with the block's contents, whatever
// name leads to it.
TEST(PakrunHostile, TheRomAndTheDataFileMustDiffer) {
    Fixture f;
    fs::create_symlink("rom.bin", f.scratch.path("link.bin"));
    std::string const same = "rom file and data file are the same: rom.bin\n" + usage;
    for (Args const& direction : {Args{"-o", "10", "-s", "12"}, Args{"-c"}, Args{"-c", "-n"}})
        for (char const* data : {"rom.bin", "./rom.bin", "folder/../rom.bin", "link.bin"})
            expectRefused(f.scratch, with(direction, {"rom.bin", data}), same);
}

TEST(PakrunHostile, UnreadableFiles) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root, where a file of mode 000 can still be read and written";
    Fixture f;
    f.scratch.write("locked.bin", f.rom);
    f.scratch.write("locked.dat", abc);
    chmod(f.scratch.path("locked.bin").c_str(), 0);
    chmod(f.scratch.path("locked.dat").c_str(), 0);
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"-o", "10", "-s", "12", "locked.bin", "out.bin"}, "unable to open rom file locked.bin for reading\n"},
        {{"-o", "10", "-s", "12", "rom.bin", "locked.dat"}, "unable to open data file locked.dat for writing\n"},
        {{"-c", "locked.bin", "data.bin"}, "unable to open rom file locked.bin for writing\n"},
        {{"-c", "rom.bin", "locked.dat"}, "unable to open data file locked.dat for reading\n"},
    };
    for (auto const& c : cases) test_support::expect_refused_as_file(PAKRUN, f.scratch, c.args, c.out);
    expectRefused(f.scratch, {"-c", "-n", "new.bin", "locked.dat"},
                  "unable to open data file locked.dat for reading\n");
}

TEST(PakrunHostile, NumbersThatAreNoUsableValue) {
    Fixture f;
    char const* const values[] = {"-1", "2147483648", "99999999999", "0x", "1e3", "", "12abc", "-0x10", "0x80000000"};
    Args const directions[] = {{"-d"}, {"-c"}, {"-c", "-n"}};
    for (auto const& direction : directions) {
        for (std::string const value : values) {
            expectRefused(f.scratch, with(direction, {"-s", "12", "-o", value, "rom.bin", "data.bin"}),
                          "invalid offset: " + value + "\n" + usage);
            expectRefused(f.scratch, with(direction, {"-o", "10", "-s", value, "rom.bin", "data.bin"}),
                          "invalid size: " + value + "\n" + usage);
        }
        // The longest size whose compressed bound still fits 32 bits, and one more.
        expectRefused(f.scratch, with(direction, {"-s", "1908874353", "rom.bin", "data.bin"}),
                      "invalid size: 1908874353\n" + usage);
    }
    expectRefused(f.scratch, {"-s", "0", "rom.bin", "out.bin"}, "missing decompressed data length\n" + usage);
    expectRefused(f.scratch, {"-s", "0x0", "-n", "rom.bin", "out.bin"}, "missing decompressed data length\n" + usage);
}

TEST(PakrunHostile, DecompressionAroundTheEndOfTheRom) {
    Fixture f;  // the block lies at 10 to 15, the last bytes of rom.bin
    RunResult const r = pakrun(f.scratch, {"-o", "10", "-s", "12", "rom.bin", "out.bin"});
    EXPECT_EQ(r.out, decompressed(12, 6, 10, "rom.bin", "out.bin"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(f.scratch.read("out.bin"), abc);
    fs::remove(f.scratch.path("out.bin"));

    Args const pastTheEnd[] = {
        {"-o", "10", "-s", "13"},
        {"-o", "16", "-s", "1"},
        {"-o", "17", "-s", "1"},
        {"-o", "2147483647", "-s", "1"},
        {"-o", "0x7fffffff", "-s", "0x7fff"},
    };
    for (auto const& args : pastTheEnd)
        for (Args const& n : {Args{}, Args{"-n"}})
            expectRefused(f.scratch, with(with(args, n), {"rom.bin", "out.bin"}), "rom.bin rom file is too small");
}

// A size far beyond what the bytes after the offset can expand to is refused before the output
// buffer is taken: run with 1 GB of address space, a 2 GB buffer would fail to allocate.
TEST(PakrunHostile, AHugeSizeForASmallBlockTakesNoMemory) {
#if defined(__SANITIZE_ADDRESS__)
    std::string const limit = "";  // the address sanitizer reserves more address space than that
#else
    std::string const limit = "ulimit -v 1000000 && ";
#endif
    Fixture f;
    Args const huge[] = {
        {"-o", "10", "-s", "1908874352"}, {"-o", "10", "-s", "103"}, {"-o", "0x7fffffff", "-s", "1908874352"}};
    for (auto const& args : huge) {
        SCOPED_TRACE(::testing::PrintToString(args));
        auto const before = f.scratch.snapshot();
        RunResult const r = test_support::run(
            "/bin/sh", with({"-c", limit + "exec \"$0\" \"$@\"", PAKRUN}, with(args, {"rom.bin", "out.bin"})),
            f.scratch.dir());
        EXPECT_EQ(r.out, "rom.bin rom file is too small");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(f.scratch.snapshot(), before);
    }
}

TEST(PakrunHostile, CompressionAroundTheEndOfTheRom) {
    Fixture f;
    struct Case {
        char const* rom;  // the ROM's bytes before the compression
        Args args;
        long offset;
        std::string expected;  // after
    } const cases[] = {
        {"", {}, 0, abcPacked},
        {"", {"-o", "2"}, 2, std::string(2, '\0') + abcPacked},
        {"0123456789", {"-o", "10"}, 10, "0123456789" + abcPacked},
        {"0123456789", {"-o", "13"}, 13, "0123456789" + std::string(3, '\0') + abcPacked},
        {"0123456789", {"-o", "7"}, 7, "0123456" + abcPacked},
        {"0123456789", {"-n", "-o", "3"}, 3, std::string(3, '\0') + abcPacked},
        {"0123456789", {"-o", "0x100000"}, 0x100000, "0123456789" + std::string(0x100000 - 10, '\0') + abcPacked},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        f.scratch.write("target.bin", c.rom);
        RunResult const r = pakrun(f.scratch, with(with({"-c"}, c.args), {"target.bin", "data.bin"}));
        EXPECT_EQ(r.out, compressed(6, 12, "data.bin", c.offset, "target.bin"));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(f.scratch.read("target.bin"), c.expected);
    }
}

TEST(PakrunHostile, CutShortOrGarbageBlocks) {
    Fixture f;
    struct Case {
        std::string what;
        std::string rom;
        Args args;
    };
    std::vector<Case> cases = {
        {"one byte short of the size", abcPacked, {"-s", "13"}},
        {"started one byte late", "0" + abcPacked, {"-o", "2", "-s", "12"}},
        {"nine literals, one missing", std::string(9, '\xFF'), {"-s", "9"}},
        {"a reference without its length byte", std::string(2, '\0'), {"-s", "1"}},
        {"a pair of references, the second missing", std::string(3, '\0'), {"-s", "4"}},
    };
    for (std::size_t size = 0; size < abcPacked.size(); ++size)
        cases.push_back({"cut at " + std::to_string(size), abcPacked.substr(0, size), {"-s", "12"}});
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        f.scratch.write("block.bin", c.rom);
        expectRefused(f.scratch, with(c.args, {"block.bin", "out.bin"}), "block.bin rom file is too small");
        f.scratch.write("out.bin", "kept");
        expectRefused(f.scratch, with(c.args, {"block.bin", "out.bin"}), "block.bin rom file is too small");
        fs::remove(f.scratch.path("out.bin"));
    }

    // Any bytes decode to something: garbage long enough gives exactly the size asked for.
    std::string garbage;
    for (unsigned i = 0; i < 256; ++i) garbage += static_cast<char>((i * 167 + 13) ^ (i >> 3));
    f.scratch.write("garbage.bin", garbage);
    RunResult const r = pakrun(f.scratch, {"-s", "64", "garbage.bin", "out.bin"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("Decompressed 64 bytes (compressed size = ", 0), 0u) << r.out;
    EXPECT_EQ(f.scratch.read("out.bin").size(), 64u);
    struct Exact {
        std::string rom;
        long size;
        long packed;
    } const exact[] = {
        {std::string(9, '\xFF'), 8, 9},
        {std::string(3, '\0'), 2, 3},
        {std::string(4, '\0'), 4, 4},
    };
    for (auto const& e : exact) {
        f.scratch.write("block.bin", e.rom);
        RunResult const ok = pakrun(f.scratch, {"-s", std::to_string(e.size), "block.bin", "out.bin"});
        EXPECT_EQ(ok.out, decompressed(e.size, e.packed, 0, "block.bin", "out.bin"));
        EXPECT_EQ(ok.status, 0);
        EXPECT_EQ(f.scratch.read("out.bin").size(), static_cast<std::size_t>(e.size));
    }
}

}  // namespace
