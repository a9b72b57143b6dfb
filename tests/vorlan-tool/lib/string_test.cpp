#include "lib/string.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(String, NoBufferDiffersFromEmptyText)
{
    String vide("");
    EXPECT_EQ(vide.length(), 0u);
    ASSERT_NE(vide.data(), nullptr);
    EXPECT_STREQ(vide.data(), "");

    String defaut;
    String nul(nullptr);
    EXPECT_EQ(defaut.data(), nullptr);
    EXPECT_EQ(defaut.length(), 0u);
    EXPECT_EQ(nul.data(), nullptr);
    EXPECT_EQ(nul.length(), 0u);

    String copie_vide(vide);
    EXPECT_NE(copie_vide.data(), nullptr);
    String copie_defaut(defaut);
    EXPECT_EQ(copie_defaut.data(), nullptr);
}

TEST(String, CopiesNeverShareTheBuffer)
{
    String a("abc");
    String b(a);
    String c;
    c = a;
    EXPECT_NE(a.data(), b.data());
    EXPECT_NE(a.data(), c.data());
    b[0] = 'x';
    c[1] = 'y';
    EXPECT_STREQ(a.data(), "abc");
    EXPECT_STREQ(b.data(), "xbc");
    EXPECT_STREQ(c.data(), "ayc");
}

TEST(String, ConstIndexingOutOfRangeReadsZero)
{
    String const s("ab\xE9");
    EXPECT_EQ(s[0], 'a');
    EXPECT_EQ(s[2], static_cast<signed char>('\xE9'));
    EXPECT_EQ(s[3], 0);
    EXPECT_EQ(s[100], 0);
    EXPECT_EQ(s[-1], 0);
    String const sans;
    EXPECT_EQ(sans[0], 0);
}

TEST(String, OutOfRangeWritesGoToOneSharedSpare)
{
    String a("ab");
    String b("cd");
    char& hors_a = a[2];
    char& hors_b = b[-1];
    EXPECT_EQ(&hors_a, &hors_b);
    hors_a = 'x';
    EXPECT_EQ(b[1000], 'x');
    EXPECT_STREQ(a.data(), "ab");
    EXPECT_STREQ(b.data(), "cd");
    EXPECT_EQ(a.length(), 2u);

    String sans;
    EXPECT_EQ(&sans[0], &hors_a);
    a[1] = 'z';
    EXPECT_STREQ(a.data(), "az");
}

TEST(String, Assignment)
{
    String s("texte");
    String& meme = s;
    char const* avant = s.data();
    s = meme;
    EXPECT_EQ(s.data(), avant);
    EXPECT_STREQ(s.data(), "texte");
    EXPECT_EQ(s.length(), 5u);

    s = String();
    EXPECT_EQ(s.data(), nullptr);
    EXPECT_EQ(s.length(), 0u);

    s = "nouveau";
    EXPECT_STREQ(s.data(), "nouveau");
    EXPECT_EQ(s.length(), 7u);
    s = static_cast<char const*>(nullptr);
    EXPECT_EQ(s.data(), nullptr);
    EXPECT_EQ(s.length(), 0u);

    s = String("");
    ASSERT_NE(s.data(), nullptr);
    EXPECT_EQ(s.length(), 0u);
}

TEST(String, Concatenation)
{
    String ab("ab");
    String cd("cd");
    String const sans;

    String r = ab + cd;
    EXPECT_STREQ(r.data(), "abcd");
    EXPECT_EQ(r.length(), 4u);
    r = ab + "xyz";
    EXPECT_STREQ(r.data(), "abxyz");
    EXPECT_EQ(r.length(), 5u);
    r = "xyz" + ab;
    EXPECT_STREQ(r.data(), "xyzab");
    EXPECT_EQ(r.length(), 5u);

    // An operand without a buffer reads as the empty text.
    r = sans + ab;
    EXPECT_STREQ(r.data(), "ab");
    r = ab + sans;
    EXPECT_STREQ(r.data(), "ab");
    r = sans + static_cast<char const*>(nullptr);
    ASSERT_NE(r.data(), nullptr);
    EXPECT_EQ(r.length(), 0u);
    EXPECT_STREQ(ab.data(), "ab");
}

TEST(String, AppendInPlace)
{
    String s;
    s += "fopen_error : Impossible d'ouvrir le fichier \"";
    s += String("a%b.smc");
    s += "\"\n";
    EXPECT_STREQ(s.data(), "fopen_error : Impossible d'ouvrir le fichier \"a%b.smc\"\n");
    EXPECT_EQ(s.length(), std::strlen(s.data()));

    String t("ab");
    t += t;
    EXPECT_STREQ(t.data(), "abab");
    EXPECT_EQ(t.length(), 4u);
    t += String();
    t += "";
    EXPECT_STREQ(t.data(), "abab");
    EXPECT_EQ(t.length(), 4u);
}

TEST(String, ComparisonsFollowUnsignedByteOrder)
{
    struct Cas {
        char const* gauche;
        char const* droite;
        int signe;
    };
    Cas const cas[] = {
        {"abc", "abd", -1}, {"ab", "abc", -1},  {"Z", "a", -1},  {"z", "\xE9", -1},
        {"\xC0", "z", 1},   {"abc", "abc", 0}, {"", "a", -1},   {nullptr, "", 0},
        {nullptr, "a", -1}, {"b", "abc", 1},
    };
    for (Cas const& c : cas) {
        String const g(c.gauche);
        String const d(c.droite);
        SCOPED_TRACE(std::string(c.gauche ? c.gauche : "(none)") + " vs " + c.droite);
        EXPECT_EQ(g == d, c.signe == 0);
        EXPECT_EQ(g != d, c.signe != 0);
        EXPECT_EQ(g < d, c.signe < 0);
        EXPECT_EQ(g > d, c.signe > 0);
        EXPECT_EQ(g <= d, c.signe <= 0);
        EXPECT_EQ(g >= d, c.signe >= 0);
        EXPECT_EQ(d < g, c.signe > 0);
    }
    String ab("ab");
    ab += "c";
    EXPECT_TRUE(ab == String("abc"));
}

}  // namespace
