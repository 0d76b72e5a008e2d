#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataFileReader.h"
#include "RunStore.h"

namespace keldar {
namespace {

// Reads `records` records of `perRecord` reals each, every record starting at a new line.
std::vector<float> readRecords(const std::string& text, int records, int perRecord) {
    DataFileReader in;
    in.openText(text);
    std::vector<float> values;
    for (int r = 0; r < records; ++r) {
        in.beginRecord();
        for (int i = 0; i < perRecord; ++i) {
            float v = -999.0f;
            EXPECT_TRUE(in.readReal(v, "a value")) << in.message();
            values.push_back(v);
        }
    }
    return values;
}

TEST(DataFileReader, ReadingRule) {
    struct Case {
        const char* text;
        int records, perRecord;
        std::vector<float> expected;
    };
    const Case cases[] = {
        {"1 2 3\n", 1, 3, {1, 2, 3}},
        {"1,2, 3 ,4\n", 1, 4, {1, 2, 3, 4}},
        {"1\t2\n", 1, 2, {1, 2}},
        {"1\n2\n\n3\n", 1, 3, {1, 2, 3}},        // a record runs on over following lines
        {"1 2 9 9\n3 4\n", 2, 2, {1, 2, 3, 4}},  // the rest of the last line is ignored
        {"1 2\r\n3 4\r\n", 2, 2, {1, 2, 3, 4}},  // CR LF line ends
        {"1,\n2\n", 1, 2, {1, 2}},
        {"1 2", 1, 2, {1, 2}},  // no line end after the last line
    };
    for (const Case& c : cases)
        EXPECT_EQ(readRecords(c.text, c.records, c.perRecord), c.expected) << c.text;
}

// Words after a record's values are passed over as the reading rule says, but noted; strict
// reading stops at them. A trailing comma or blank is no word.
TEST(DataFileReader, WordsAfterTheValuesAreNotedOrRefused) {
    const std::string text = "50000\n100 000\n1 ,\n3\n\n  7 x \n";
    for (const bool strict : {false, true}) {
        DataFileReader in;
        in.openText(text);
        in.setStrict(strict);
        float v = 0;
        for (int record = 0; record < 4; ++record) {
            in.beginRecord();
            in.readReal(v, "a value");
        }
        in.endRecords();
        if (!strict) {
            EXPECT_FALSE(in.failed()) << in.message();
            EXPECT_EQ(in.unusedWords(), (std::vector<std::string>{"line 2: 000", "line 6: 7 x"}));
        } else {
            EXPECT_EQ(in.status(), kStatusInputMalformed);
            EXPECT_EQ(
                in.message(),
                "Line 2 of the data file: \"000\" after the values of the record is not used.");
        }
    }
}

TEST(DataFileReader, NumberForms) {
    // The forms the GUI writes (general and fixed scientific), and the other usual forms.
    const std::pair<const char*, float> cases[] = {
        {"1E-5", 1e-5f},
        {"1.2345679E8", 1.2345679e8f},
        {"0.20000000000000E+0003", 200.0f},
        {"-0.50000000000000E+0001", -5.0f},
        {"0.0", 0.0f},
        {"-.5", -0.5f},
        {"+3", 3.0f},
        {"7.", 7.0f},
        {"1D2", 100.0f},
        {"1e-60", 0.0f},  // below the single-precision range: zero
    };
    for (const auto& [text, expected] : cases) {
        DataFileReader in;
        in.openText(text);
        float v = -1.0f;
        ASSERT_TRUE(in.readReal(v, "a value")) << text << ": " << in.message();
        EXPECT_FLOAT_EQ(v, expected) << text;
    }
}

TEST(DataFileReader, IntegersAreWholeNumbers) {
    const std::pair<const char*, bool> cases[] = {
        {"12", true},   {"-3", true},   {"+4", true},          {"2147483647", true}, {"1.5", false},
        {"2.0", false}, {"1E2", false}, {"2147483648", false}, {"x", false},         {"+-1", false},
    };
    for (const auto& [text, valid] : cases) {
        DataFileReader in;
        in.openText(text);
        std::int32_t v = 0;
        EXPECT_EQ(in.readInteger(v, "the count"), valid) << text;
        if (!valid) {
            EXPECT_EQ(in.status(), kStatusInputMalformed) << text;
            EXPECT_NE(in.message().find("Line 1 of the data file"), std::string::npos)
                << in.message();
        }
    }
}

TEST(DataFileReader, ProblemsNameTheLineAndTheValue) {
    struct Case {
        const char* text;
        int reals;  // values read in one record
        std::int32_t status;
        const char* message;
    };
    const Case cases[] = {
        {"1 2\n3 abc\n", 4, kStatusInputMalformed,
         "Line 2 of the data file: a number was expected for the depth, found \"abc\"."},
        {"1 2\n3\n", 4, kStatusInputTruncated,
         "The data file ends after line 2; the depth was expected."},
        {"", 1, kStatusInputTruncated, "The data file ends after line 0; the depth was expected."},
        {"1,,2\n", 3, kStatusInputMalformed,
         "Line 1 of the data file: an empty value stands where the depth was expected."},
        {"1e40\n", 1, kStatusInputMalformed,
         "Line 1 of the data file: the value \"1e40\" for the depth is out of range."},
    };
    for (const Case& c : cases) {
        DataFileReader in;
        in.openText(c.text);
        in.beginRecord();
        float v = 0.0f;
        for (int i = 0; i < c.reals; ++i) in.readReal(v, "the depth");
        EXPECT_EQ(in.status(), c.status) << c.text;
        EXPECT_EQ(in.message(), c.message) << c.text;
    }
    for (const char* word : {"inf", "nan", "0x10", "1.2.3", "1e", "--1", "1,5/", "."}) {
        DataFileReader in;
        in.openText(word);
        float v = 0.0f;
        in.readReal(v, "x");
        in.readReal(v, "x");
        EXPECT_EQ(in.status(), kStatusInputMalformed) << word;
    }
}

TEST(DataFileReader, FirstProblemIsKept) {
    DataFileReader in;
    in.openText("a\nb\n");
    float v = 5.0f;
    EXPECT_FALSE(in.readReal(v, "the first"));
    in.beginRecord();
    EXPECT_FALSE(in.readReal(v, "the second"));
    EXPECT_EQ(v, 5.0f);
    EXPECT_NE(in.message().find("the first"), std::string::npos);
}

TEST(DataFileReader, TitleLineIsTakenWhole) {
    DataFileReader in;
    in.openText("  Pile 1, clay  \r\n12\r\n");
    std::string title;
    ASSERT_TRUE(in.readLine(title, "the title"));
    EXPECT_EQ(title, "  Pile 1, clay  ");
    in.beginRecord();
    std::int32_t n = 0;
    ASSERT_TRUE(in.readInteger(n, "n"));
    EXPECT_EQ(n, 12);
    EXPECT_EQ(in.lineNumber(), 2);
}

TEST(DataFileReader, MissingFile) {
    DataFileReader in;
    EXPECT_FALSE(in.open("/nonexistent/keldar/pile.kd3d"));
    EXPECT_EQ(in.status(), kStatusCannotOpenInput);
    EXPECT_EQ(in.message(), "The data file \"/nonexistent/keldar/pile.kd3d\" cannot be opened.");
    // A folder is no data file: it is refused, never read as a file of its reported size.
    DataFileReader folder;
    EXPECT_FALSE(folder.open(::testing::TempDir()));
    EXPECT_EQ(folder.status(), kStatusCannotOpenInput);
}

}  // namespace
}  // namespace keldar
