#include "common/TextFields.h"

#include <gtest/gtest.h>

#include "common/DataError.h"

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
    for (const char* bad : {"", ".", "1,5", "e3", "1e", "abc", "Error", "nan", "inf"})
        EXPECT_THROW(parseDecimal(bad), ReadFailure) << bad;
    EXPECT_EQ(parseFixed("1.23456").raw(), 12346);
    EXPECT_EQ(parseFixed("0.00005").raw(), 0);   // halves go to even
    EXPECT_EQ(parseFixed("0.00015").raw(), 2);
    EXPECT_EQ(parseFixed("-2.5").raw(), -25000);
    EXPECT_EQ(parseFixed("900000000000000").raw(), 9000000000000000000LL);
    EXPECT_THROW(parseFixed("1e15"), ReadFailure);  // past the 64-bit count
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
