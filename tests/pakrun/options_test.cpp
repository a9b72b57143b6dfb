#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pakrun/pakrun-options.h"

namespace {

using pakrun::Mode;
using pakrun::readCommandLine;

TEST(PakrunOptions, ReadsModesOffsetsSizesAndNames) {
    struct Case {
        std::vector<std::string> args;
        Mode mode;
        long offset;
        long size;
        bool createNew;
    };
    Case const cases[] = {
        {{"-s", "10", "rom", "data"}, Mode::decompress, 0, 10, false},
        {{"-o", "0x8000", "-s", "5", "rom", "data"}, Mode::decompress, 0x8000, 5, false},
        {{"-o", "32768", "-s", "5", "rom", "data"}, Mode::decompress, 32768, 5, false},
        {{"-o", "0100", "-s", "010", "rom", "data"}, Mode::decompress, 64, 8, false},
        {{"-o", "0X1f", "-s", "+7", "rom", "data"}, Mode::decompress, 31, 7, false},
        {{"rom", "-c", "data"}, Mode::compress, 0, 0, false},
        {{"-c", "-d", "-s", "1", "rom", "data"}, Mode::decompress, 0, 1, false},
        {{"-d", "-c", "-n", "rom", "data"}, Mode::compress, 0, 0, true},
        {{"-c", "-o", "2147483647", "rom", "data"}, Mode::compress, 2147483647, 0, false},
        {{"-s", "3", "-s", "4", "rom", "data"}, Mode::decompress, 0, 4, false},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        auto const line = readCommandLine(c.args);
        ASSERT_TRUE(line.runnable) << line.complaints;
        EXPECT_EQ(line.complaints, "");
        EXPECT_EQ(line.options.mode, c.mode);
        EXPECT_EQ(line.options.offset, c.offset);
        EXPECT_EQ(line.options.size, c.size);
        EXPECT_EQ(line.options.createNew, c.createNew);
        EXPECT_EQ(line.options.romName, "rom");
        EXPECT_EQ(line.options.dataName, "data");
    }
}

TEST(PakrunOptions, ComplainsInOrderAboutWhatIsWrongOrMissing) {
    struct Case {
        std::vector<std::string> args;
        std::string complaints;
    };
    Case const cases[] = {
        {{}, "missing rom filename\nmissing decompressed data filename\nmissing decompressed data length\n"},
        {{"-c"}, "missing rom filename\nmissing decompressed data filename\n"},
        {{"-s", "4", "rom"}, "missing decompressed data filename\n"},
        {{"-d", "rom", "data"}, "missing decompressed data length\n"},
        {{"-s", "0", "rom", "data"}, "missing decompressed data length\n"},
        {{"-s", "4", "-x", "rom", "data"}, "invalid option: -x\n"},
        {{"-cd", "rom", "data"}, "invalid option: -cd\n"},
        {{"-o100", "rom", "data"}, "invalid option: -o100\n"},
        {{"-", "rom", "data"}, "invalid option: -\n"},
        {{"-s", "4", "rom", "data", "extra"}, "invalid option: extra\n"},
        // Values of -o and -s.
        {{"rom", "data", "-s"}, "missing value for option -s\n"},
        {{"-s", "4", "rom", "data", "-o"}, "missing value for option -o\n"},
        {{"-o", "abc", "-s", "4", "rom", "data"}, "invalid offset: abc\n"},
        {{"-o", "-c", "rom", "data"}, "invalid offset: -c\n"},
        {{"-o", "-16", "-s", "4", "rom", "data"}, "invalid offset: -16\n"},
        {{"-o", "12abc", "-s", "4", "rom", "data"}, "invalid offset: 12abc\n"},
        {{"-o", "0x", "-s", "4", "rom", "data"}, "invalid offset: 0x\n"},
        {{"-o", "", "-s", "4", "rom", "data"}, "invalid offset: \n"},
        {{"-o", "2147483648", "-s", "4", "rom", "data"}, "invalid offset: 2147483648\n"},
        {{"-o", "99999999999999999999", "-s", "4", "rom", "data"}, "invalid offset: 99999999999999999999\n"},
        {{"-s", "-1", "rom", "data"}, "invalid size: -1\n"},
        {{"-s", "ten", "rom", "data"}, "invalid size: ten\n"},
        {{"-s", "1908874353", "rom", "data"}, "invalid size: 1908874353\n"},
        {{"-c", "-s", "x", "rom", "data"}, "invalid size: x\n"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        auto const line = readCommandLine(c.args);
        EXPECT_FALSE(line.runnable);
        EXPECT_EQ(line.complaints, c.complaints);
    }
}

TEST(PakrunOptions, LongFileNamesAreKeptWhole) {
    std::string const rom(600, 'r');
    std::string const data(400, 'd');
    auto const line = readCommandLine({"-c", rom, data});
    ASSERT_TRUE(line.runnable);
    EXPECT_EQ(line.options.romName, rom);
    EXPECT_EQ(line.options.dataName, data);
}

}  // namespace
