#include "host/hex.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatHex, AcceptsAtMostOneIntegerConversion) {
    struct Cas {
        char const* format;
        bool valide;
    } const cas[] = {
        {"%02X", true},   {"$%04X", true}, {"%06X", true},  {"%d", true},   {"%-+ #08.3x", true},
        {"%o", true},     {"%u", true},    {"%c", true},    {"100%% %X", true}, {"%X%%", true},
        {"", true},       {"2", true},     {"%%", true},    {"%s", false},   {"%f", false},  {"%n", false},
        {"%X%X", false},  {"%*X", false},  {"%lX", false},  {"%", false},
        {"abc%", false},  {"%.*d", false}, {"%p", false},
    };
    for (auto const& c : cas) EXPECT_EQ(format_hex_valide(c.format), c.valide) << c.format;
}

}  // namespace
