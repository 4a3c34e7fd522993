#include "data/DataFileReader.h"

#include <gtest/gtest.h>

#include "common/DataError.h"
#include "common/TextFields.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

// A small key table in the reader's style: [Power] 1 integer, [Brake] 1
// integer, [Names] a text list of at most 3.
struct Sample {
    int power = -1;
    int brake = -1;
    std::vector<std::string> names;
};

Sample readSample(DataFileReader& r) {
    Sample s;
    while (!r.at_end()) {
        r.read_line();
        if (r.starts_with("[Power]")) s.power = r.read_integer();
        if (r.starts_with("[Brake]")) s.brake = r.read_integer();
        if (r.starts_with("[Names]")) {
            s.names.clear();
            r.read_list(3, DataFileReader::Unclosed::EndsList,
                        [&](std::size_t) { s.names.push_back(r.line()); });
        }
    }
    return s;
}

Sample readText(const std::string& text) {
    DataFileReader r;
    r.openText(text);
    return readSample(r);
}

TEST(DataFileReader, HeadersMatchOnTheirStartOnly) {
    EXPECT_EQ(readText("remark\n\n[Power] remark after the key\n4\n").power, 4);
    EXPECT_EQ(readText("[Brake]7\n3\n").brake, 3);
    EXPECT_EQ(readText(" [Power]\n4\n").power, -1);  // leading blank: no key
    EXPECT_EQ(readText("[power]\n4\n").power, -1);   // case-sensitive
    const Sample empty = readText("only\nremarks\n\n");
    EXPECT_EQ(empty.power, -1);
    EXPECT_EQ(empty.brake, -1);
}

TEST(DataFileReader, ValueLinesAreReadBlind) {
    // The line after [Power] is its value whatever it holds.
    EXPECT_THROW(readText("[Power]\n[Brake]\n5\n"), ReadFailure);
    // A value line of an earlier key that begins with a later key is taken as
    // that key's header in the same pass.
    DataFileReader r;
    r.openText("[Names]\n#\n[Brake]\n6\n");
    EXPECT_EQ(readSample(r).brake, 6);
    // Sections in any order; a repeated section wins with its later value.
    const Sample s = readText("[Brake]\n1\n[Power]\n2\n[Brake]\n3\n");
    EXPECT_EQ(s.brake, 3);
    EXPECT_EQ(s.power, 2);
}

TEST(DataFileReader, IntegerLinesRejectTrailingBlanks) {
    EXPECT_THROW(readText("[Power]\n4 \n"), ReadFailure);
    EXPECT_EQ(readText("[Power]\n 4\n").power, 4);
}

TEST(DataFileReader, ListsCloseOnHashAndRespectCapacity) {
    EXPECT_EQ(readText("[Names]\na\n\nb\n# end of list\n[Power]\n1\n").names,
              (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(readText("[Names]\na\n#\n").names, (std::vector<std::string>{"a"}));
    // Unclosed at the end of the file: ends there, never past the table.
    EXPECT_EQ(readText("[Names]\na\nb").names, (std::vector<std::string>{"a", "b"}));
    EXPECT_THROW(readText("[Names]\na\nb\nc\nd\n#\n"), ReadFailure);

    DataFileReader r;
    r.openText("x\ny\n");
    EXPECT_THROW(r.read_list(10, DataFileReader::Unclosed::IsError, [](std::size_t) {}),
                 ReadFailure);
}

TEST(DataFileReader, NumberListFailsOnBlankEntry) {
    DataFileReader r;
    r.openText("1\n\n2\n#\n");
    std::vector<int> numbers;
    EXPECT_THROW(r.read_list(10, DataFileReader::Unclosed::EndsList,
                             [&](std::size_t) { numbers.push_back(parseInteger(r.line())); }),
                 ReadFailure);
}

TEST(DataFileReader, ReadsCp932AndUtf8Files) {
    test::TempDir dir;
    // Characters beyond plain Shift_JIS (FULLWIDTH TILDE, circled digit, the
    // variant of 高) and half-width kana.
    const std::string text = "[Names]\n～①髙\nｶﾀｶﾅ\n#\n";
    DataFileReader r;
    r.open(dir.writeCp932("cp932.dat", text));
    EXPECT_EQ(readSample(r).names, (std::vector<std::string>{"～①髙", "ｶﾀｶﾅ"}));

    r.open(dir.writeBytes("utf8.dat", "\xEF\xBB\xBF[Names]\r\n駅\r\n#\r\n"));
    EXPECT_EQ(readSample(r).names, (std::vector<std::string>{"駅"}));

    EXPECT_THROW(r.open(dir / "missing.dat"), ReadFailure);
}

TEST(DataFileReader, ReadsPastTheEndAsEmptyLines) {
    DataFileReader r;
    r.openText("[Power]");
    r.read_line();
    EXPECT_TRUE(r.at_end());
    r.read_line();
    EXPECT_EQ(r.line(), "");
    EXPECT_THROW(r.read_integer(), ReadFailure);
}

}  // namespace
}  // namespace tovra
