#include <gtest/gtest.h>

#include "DefinitionStream.h"

namespace keldar {
namespace {

TEST(DefinitionStream, WritesEveryKindAsText) {
    TDefinitionWriter writer;
    writer.WriteInteger(-3);
    writer.WriteBoolean(true);
    writer.WriteString("a \"b\"\r\\");
    writer.WriteFloat(0.0L);
    writer.WriteFloat(2.5L);
    writer.BreakLine();
    writer.WriteListBegin();
    writer.WriteInteger(1);
    writer.WriteListEnd();
    EXPECT_EQ(writer.Text(), "-3 True \"a \\\"b\\\"\\r\\\\\" 0.0 2.5\n( 1 )");
}

TEST(DefinitionStream, ReadsBackWhatWasWritten) {
    const long double values[] = {0.1L, -1e-300L, 39.37007874L, 1.18973149535723176e4932L};
    TDefinitionWriter writer;
    writer.WriteListBegin();
    for (long double v : values) writer.WriteFloat(v);
    writer.WriteListEnd();
    writer.WriteString("two\nlines\tand \"quotes\"");
    writer.WriteInteger(INT32_MIN);
    writer.WriteBoolean(false);

    TDefinitionReader reader(writer.Text());
    reader.ReadListBegin();
    for (long double v : values) EXPECT_EQ(reader.ReadFloat(), v);
    EXPECT_TRUE(reader.EndOfList());
    reader.ReadListEnd();
    EXPECT_EQ(reader.ReadString(), "two\nlines\tand \"quotes\"");
    EXPECT_EQ(reader.ReadInteger(), INT32_MIN);
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.NextKind(), TValueKind::End);
}

// Each character that needs a backslash, alone and among plain text, comes back unchanged; its
// escaped form holds no raw line break, so a string never spans lines in the written text.
TEST(DefinitionStream, EveryEscapedCharacterRoundTrips) {
    for (char c : std::string("\\\"\r\n\t")) {
        const std::string alone(1, c);
        const std::string among = "a" + alone + alone + "b";
        TDefinitionWriter writer;
        writer.WriteString(alone);
        writer.WriteString(among);
        EXPECT_EQ(writer.Text().find_first_of("\r\n\t"), std::string::npos) << int(c);
        TDefinitionReader reader(writer.Text());
        EXPECT_EQ(reader.ReadString(), alone) << int(c);
        EXPECT_EQ(reader.ReadString(), among) << int(c);
    }
    TDefinitionReader unknown("\"a\\qb\"");
    EXPECT_THROW(unknown.ReadString(), EDefinitionError);
}

TEST(DefinitionStream, SkipsCommentsAndReadsWords) {
    TDefinitionReader reader("# heading\n  Caption = \"x # not a comment\" # note\n 7 +8 +2.5");
    EXPECT_EQ(reader.ReadWord(), "Caption");
    EXPECT_EQ(reader.ReadWord(), "=");
    EXPECT_EQ(reader.ReadString(), "x # not a comment");
    EXPECT_EQ(reader.Line(), 3);
    EXPECT_EQ(reader.ReadFloat(), 7.0L);
    // A leading plus sign is allowed on either kind of number.
    EXPECT_EQ(reader.ReadInteger(), 8);
    EXPECT_EQ(reader.ReadFloat(), 2.5L);
}

TEST(DefinitionStream, RejectsWhatDoesNotFit) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"1.5", "Line 1: expected an integer, found \"1.5\""},
        {"\n\"s", "Line 2: unterminated string"},
        {"99999999999", "Line 1: integer out of range: 99999999999"},
        {"", "Line 1: expected an integer, found the end of the text"},
        {"1-2", "Line 1: not an integer: 1-2"},
        {"@", "Line 1: unexpected character '@'"},
    };
    for (const Case& c : cases) {
        TDefinitionReader reader(c.text);
        try {
            reader.ReadInteger();
            ADD_FAILURE() << c.text;
        } catch (const EDefinitionError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    TDefinitionReader unclosed("( 1");
    unclosed.ReadListBegin();
    unclosed.ReadInteger();
    EXPECT_THROW(unclosed.EndOfList(), EDefinitionError);
    TDefinitionReader notFinite("1e99999");
    EXPECT_THROW(notFinite.ReadFloat(), EDefinitionError);
}

}  // namespace
}  // namespace keldar
