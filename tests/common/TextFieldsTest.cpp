#include "common/TextFields.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "common/DataError.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

TEST(CsvField, FieldsAreTakenApartWithoutTrimming) {
    EXPECT_EQ(CsvField("10,20", 1), "10");
    EXPECT_EQ(CsvField("10,20", 2), "20");
    EXPECT_EQ(CsvField("10,20", 3), "Error");
    EXPECT_EQ(CsvField(" 5 ,x", 1), " 5 ");
    EXPECT_EQ(CsvField("", 1), "");
    EXPECT_EQ(CsvField("", 2), "Error");
    EXPECT_EQ(CsvField("12,3.5,7", 3), "7");
    EXPECT_EQ(CsvField("a,,b", 2), "");
    EXPECT_EQ(CsvField("\"a,b\"", 2), "b\"");  // quotes mean nothing
    EXPECT_EQ(CsvField("a,b,", 3), "");
}

TEST(TextField, MissingFieldsFailInsteadOfReadingError) {
    EXPECT_EQ(textField("a,b", 2), "b");
    EXPECT_EQ(textField("a,", 2), "");
    EXPECT_THROW(textField("a,b", 3), ReadFailure);
    EXPECT_THROW(textField("", 2), ReadFailure);
}

TEST(NumberConversion, IntegersAllowLeadingBlanksOnly) {
    EXPECT_EQ(parseInteger("7"), 7);
    EXPECT_EQ(parseInteger("  -12"), -12);
    EXPECT_EQ(parseInteger("+3"), 3);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"7 ", "", " ", "-", "1.0", "2147483648", "12a", "Error", "0x10"})
        EXPECT_THROW(parseInteger(bad), ReadFailure) << bad;
}

TEST(NumberConversion, DecimalsAndFixedPoint) {
    EXPECT_EQ(parseDecimal("3.5"), 3.5L);
    EXPECT_EQ(parseDecimal(" -0.25 "), -0.25L);
    EXPECT_EQ(parseDecimal("1e3"), 1000.0L);
    EXPECT_EQ(parseDecimal("5."), 5.0L);
    EXPECT_EQ(parseDecimal(".5"), 0.5L);
    EXPECT_EQ(parseDecimal("+.5"), 0.5L);
    for (const char* bad : {"", ".", "1,5", "e3", "1e", "abc", "Error", "nan", "inf", "1e99999"})
        EXPECT_THROW(parseDecimal(bad), ReadFailure) << bad;
    EXPECT_EQ(parseFixed("1.23456").raw(), 12346);
    EXPECT_EQ(parseFixed("0.00005").raw(), 0);  // halves go to even
    EXPECT_EQ(parseFixed("0.00015").raw(), 2);
    EXPECT_EQ(parseFixed("-2.5").raw(), -25000);
    EXPECT_EQ(parseFixed("900000000000000").raw(), 9000000000000000000LL);
    EXPECT_THROW(parseFixed("1e15"), ReadFailure);  // past the 64-bit count
}

// The desktop program runs under the user's locale; a comma-decimal one must
// change no number read or written. The test makes its own German locale.
TEST(NumberConversion, TheUsersLocaleChangesNoNumber) {
    test::TempDir dir;
    const std::string make =
        "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0) << "localedef (Debian package locales) failed";
    ::setenv("LOCPATH", dir.path().c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    struct Restore {
        ~Restore() {
            std::setlocale(LC_ALL, "C");
            ::unsetenv("LOCPATH");
        }
    } restore;
    char shown[16];
    std::snprintf(shown, sizeof shown, "%.1f", 0.5);
    ASSERT_STREQ(shown, "0,5");  // the locale is in force

    EXPECT_EQ(parseDecimal("0.35"), 0.35L);
    EXPECT_EQ(parseDecimal("84.2083"), 84.2083L);
    EXPECT_EQ(parseFixed("1.0137").raw(), 10137);
    EXPECT_THROW(parseDecimal("0,35"), ReadFailure);
    EXPECT_EQ(formatFixed(84.25L, 1, 6), "  84.2");  // halves to even, as "%.1f" in C
    EXPECT_EQ(formatFixed(-0.125L, 2), "-0.12");
    EXPECT_EQ(formatGeneral(1234.5678, 6), "1234.57");
    EXPECT_EQ(formatGeneral(0.1, 10), "0.1");
}

TEST(SplitPath, FolderKeepsItsBackslash) {
    EXPECT_EQ(splitPath("E231\\train.dat", 0), "E231\\");
    EXPECT_EQ(splitPath("E231\\train.dat", 1), "train.dat");
    EXPECT_EQ(splitPath("a\\b\\c.dat", 0), "a\\b\\");
    EXPECT_EQ(splitPath("plain.dat", 0), "");
    EXPECT_EQ(splitPath("plain.dat", 1), "plain.dat");
}

}  // namespace
}  // namespace tovra
