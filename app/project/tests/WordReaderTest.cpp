#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <random>
#include <vector>

#include "WordReader.h"

namespace keldar {
namespace {

std::vector<QString> WordsOf(const TWordContainer& line) {
    std::vector<QString> words;
    for (int i = 0; i < line.Count(); ++i) words.push_back(line.Word(i).toString());
    return words;
}

QString MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EInputOutputError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

TEST(WordReader, CutsLinesIntoWords) {
    struct Case {
        QByteArray line;
        std::vector<QString> words;
    };
    const Case cases[] = {
        {"   12   0.1200E+03", {"12", "0.1200E+03"}},
        {"1\t2\t\t3", {"1", "2", "3"}},
        {"\t \t x \t", {"x"}},
        {"a\x01 b\x02", {"a\x01", "b"}},  // control characters split nothing, only trim the ends
        {"a\x0b\x0c b", {"a\x0b\x0c", "b"}},
        {"", {}},
        {" \t \x01 ", {}},
    };
    for (const Case& c : cases) {
        const TWordReader reader = TWordReader::FromData(c.line + "\n");
        ASSERT_EQ(reader.LineCount(), 1) << c.line.constData();
        EXPECT_EQ(WordsOf(reader.Line(0)), c.words) << c.line.constData();
        EXPECT_EQ(reader.Line(0).Text(), QString::fromLatin1(c.line));
    }
}

TEST(WordReader, LineEnds) {
    struct Case {
        QByteArray data;
        std::vector<QString> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\n\n", {"", ""}},
    };
    for (const Case& c : cases) {
        const TWordReader reader = TWordReader::FromData(c.data);
        std::vector<QString> lines;
        for (int i = 0; i < reader.LineCount(); ++i)
            lines.push_back(reader.Line(i).Text().toString());
        EXPECT_EQ(lines, c.lines) << c.data.toPercentEncoding().constData();
    }
}

// The number syntax itself is the entry module's; here what the word reader adds to it.
TEST(WordReader, Numbers) {
    const std::pair<const char*, double> reals[] = {
        {"0.1200E+03", 120}, {"-0.2540E-02", -0.00254}, {"5.", 5}, {"1E-400", 0}};
    for (const auto& [word, value] : reals) {
        TWordReader reader = TWordReader::FromData(word);
        EXPECT_DOUBLE_EQ(reader.ReadFloat(), value) << word;
    }
    const std::pair<const char*, int> integers[] = {{"12.0", 12},
                                                    {"1.0E3", 1000},
                                                    {"-2147483648", -2147483647 - 1},
                                                    {"2147483647", 2147483647}};
    for (const auto& [word, value] : integers) {
        TWordReader reader = TWordReader::FromData(word);
        EXPECT_EQ(reader.ReadInteger(), value) << word;
    }
    // Beyond a double, an overflowed field, a three-digit exponent without its E, a comma
    // without a value before it.
    for (const char* word : {"1e999", "**********", "0.100-119", ",,5", "nan", "1D"}) {
        TWordReader reader = TWordReader::FromData(QByteArray("7 ") + word);
        reader.ReadFloat();
        EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }),
                  "Error on Line 1 Item 2\rA floating point number was expected but not found.")
            << word;
    }
    for (const char* word : {"1.5", "2147483648", "-2147483649", "x"}) {
        TWordReader reader = TWordReader::FromData(QByteArray("7 ") + word);
        reader.ReadInteger();
        EXPECT_EQ(MessageOf([&] { reader.ReadInteger(); }),
                  "Error on Line 1 Item 2\rAn integer was expected but not found.")
            << word;
    }
}

// The forms the analysis reads: an exponent introduced by D, and one comma between two values.
TEST(WordReader, CommasAndDExponentsAsTheAnalysisReadsThem) {
    TWordReader reader = TWordReader::FromData("1E-5,600 ,16, 201.06\n1D-1 -2.5d2\n3,,4\n");
    for (const double value : {1e-5, 600.0, 16.0, 201.06, 0.1, -250.0, 3.0})
        EXPECT_DOUBLE_EQ(reader.ReadFloat(), value);
    EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }),
              "Error on Line 3 Item 2\rA floating point number was expected but not found.");
}

// A number is read the same however long its word, here with zeros after the point (64
// characters is where a word stops fitting the reader's own buffer).
TEST(WordReader, NumbersOfAnyLengthAndForeignCharacters) {
    for (const int zeros : {1, 55, 56, 57, 200}) {
        const QByteArray digits = "0." + QByteArray(zeros, '0') + "25E+";
        const QByteArray real = digits + QByteArray::number(zeros);
        const QByteArray integer = digits + QByteArray::number(zeros + 2);
        TWordReader reader = TWordReader::FromData(real + " " + integer);
        EXPECT_DOUBLE_EQ(reader.ReadFloat(), 0.25) << real.size();
        EXPECT_EQ(reader.ReadInteger(), 25) << integer.size();
    }
    // A digit from outside Latin-1 (a fullwidth 1), and a Latin-1 letter, are no number.
    for (const char* word : {"\xef\xbc\x91.5", "1.5\xc2\xb5", "\xef\xbc\x91"}) {
        TWordReader reader = TWordReader::FromData(QByteArray("7 ") + word);
        reader.ReadFloat();
        EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }),
                  "Error on Line 1 Item 2\rA floating point number was expected but not found.")
            << word;
    }
}

TEST(WordReader, MessagesGiveLineAndItem) {
    // Empty lines count as lines; tabs and CR LF do not move the item position.
    TWordReader reader = TWordReader::FromData("title line\r\n\r\n 1\t2  1.5\r\n3 x\r\n");
    EXPECT_EQ(reader.ReadLine(), "title line");
    EXPECT_EQ(reader.ReadInteger(), 1);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(MessageOf([&] { reader.ReadInteger(); }),
              "Error on Line 3 Item 3\rAn integer was expected but not found.");
    EXPECT_EQ(reader.ReadFloat(), 3.0);
    EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }),
              "Error on Line 4 Item 2\rA floating point number was expected but not found.");
    EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }), "This file either invalid or incomplete.");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(MessageOf([&] { reader.ReadLine(); }), "This file either invalid or incomplete.");
}

TEST(WordReader, SkipsEveryLineWithoutWords) {
    TWordReader reader = TWordReader::FromData("1\n\n \t\n\n2\n\n");
    EXPECT_EQ(reader.WordsLeft(), 2);
    EXPECT_EQ(reader.ReadInteger(), 1);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.LineIndex(), 4);
    EXPECT_EQ(reader.WordsLeft(), 0);
    EXPECT_FALSE(reader.AtEnd());  // AtEnd is about lines, not words
    EXPECT_EQ(MessageOf([&] { reader.NextWord(); }), "This file either invalid or incomplete.");
    EXPECT_TRUE(reader.AtEnd());
}

// A record starts on a new line: what is left on the line of the record before is passed over
// and given back; a line whose words were all taken, or none of them, passes nothing.
TEST(WordReader, BeginRecordStartsOnANewLine) {
    TWordReader reader = TWordReader::FromData("title\n1 2 ! note\n\n3\n4 5\n6\n");
    reader.ReadLine();
    EXPECT_TRUE(reader.BeginRecord().isEmpty());
    EXPECT_EQ(reader.ReadInteger(), 1);
    EXPECT_EQ(reader.LastWord(), "1");
    EXPECT_EQ(reader.BeginRecord(), QStringList({"2", "!", "note"}));
    EXPECT_EQ(reader.ReadInteger(), 3);
    EXPECT_TRUE(reader.BeginRecord().isEmpty());
    // Within one record the values run on over the lines.
    EXPECT_EQ(reader.ReadInteger(), 4);
    EXPECT_EQ(reader.ReadInteger(), 5);
    EXPECT_EQ(reader.ReadInteger(), 6);
    EXPECT_TRUE(reader.BeginRecord().isEmpty());
    EXPECT_EQ(reader.WordsLeft(), 0);
}

TEST(WordReader, ReadLineTakesTheCurrentLineWhole) {
    TWordReader reader = TWordReader::FromData("  Pile  A \t\n 5 6\n  second title \n7\n");
    EXPECT_EQ(reader.ReadLine(), "  Pile  A \t");
    EXPECT_EQ(reader.ReadInteger(), 5);
    EXPECT_EQ(reader.ReadInteger(), 6);
    // Line 2 is still current after its last word was taken.
    EXPECT_EQ(reader.ReadLine(), " 5 6");
    EXPECT_EQ(reader.ReadLine(), "  second title ");
    EXPECT_EQ(reader.ReadInteger(), 7);
}

TEST(WordReader, KeepsTheTitleWhateverItsEncoding) {
    const QString title = QStringLiteral("Pfahl M\u00fcller \u00b0");
    TWordReader utf8 = TWordReader::FromData("\xef\xbb\xbf" + title.toUtf8() + "\n1\n");
    EXPECT_EQ(utf8.ReadLine(), title);
    EXPECT_TRUE(utf8.HadByteOrderMark());
    EXPECT_FALSE(utf8.DecodedAsLatin1());
    TWordReader latin1 = TWordReader::FromData(title.toLatin1() + "\n1\n");
    EXPECT_EQ(latin1.ReadLine(), title);
    EXPECT_TRUE(latin1.DecodedAsLatin1());
    EXPECT_FALSE(latin1.HadByteOrderMark());
    EXPECT_EQ(latin1.ReadInteger(), 1);

    // A file cut off inside a UTF-8 sequence is no UTF-8: read as Latin-1, its last byte is kept.
    TWordReader cut = TWordReader::FromData("Pile \xc3");
    EXPECT_TRUE(cut.DecodedAsLatin1());
    EXPECT_EQ(cut.ReadLine(), QStringLiteral("Pile \u00c3"));
    // Only the first byte order mark is the file's; a second belongs to the title.
    TWordReader twice = TWordReader::FromData("\xef\xbb\xbf\xef\xbb\xbfPile\n");
    EXPECT_EQ(twice.ReadLine(), QStringLiteral("\ufeffPile"));
}

TEST(WordReader, Files) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("run.kd3p");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("  2\r\n 0.1000E+01 x\r\n");
    file.close();
    TWordReader reader(path);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadFloat(), 1.0);

    // The system's own message, whatever it says, but never an empty one.
    for (const QString& unreadable : {dir.filePath("missing.kd3p"), dir.path()}) {
        const QString message = MessageOf([&] { TWordReader missing(unreadable); });
        EXPECT_FALSE(message.isEmpty());
        EXPECT_NE(message, "<no error>") << unreadable.toStdString();
    }

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(TWordReader::kMaxFileSize + 1));
    file.close();
    EXPECT_EQ(MessageOf([&] { TWordReader huge(path); }),
              "This file either invalid or incomplete.");
}

// A file is read in blocks: words that straddle a block boundary, and the last block, arrive whole.
TEST(WordReader, ReadsAFileLargerThanOneBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath("long.kd3p");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const int count = 40000;  // about 300 KB in lines of uneven length
    for (int i = 0; i < count; ++i) file.write(QByteArray::number(i * 7) + (i % 3 ? " " : "\r\n"));
    file.close();
    ASSERT_GT(file.size(), 4 * 64 * 1024);

    TWordReader reader(path);
    for (int i = 0; i < count; ++i) ASSERT_EQ(reader.ReadInteger(), i * 7) << i;
    EXPECT_EQ(reader.WordsLeft(), 0);
}

// Whatever the bytes, every call either gives a value or raises the reader's own error, and a
// read loop always ends.
TEST(WordReader, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(20140304);
    const QByteArray alphabet = "0123456789.+-eE \t\r\n\x01xX*";
    for (int round = 0; round < 2000; ++round) {
        QByteArray data;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) {
            data += random() % 8 == 0
                        ? static_cast<char>(random() % 256)
                        : alphabet[static_cast<qsizetype>(random() % alphabet.size())];
        }
        TWordReader reader = TWordReader::FromData(data);
        int calls = 0;
        bool ended = false;
        while (!ended && calls < 1000) {
            ++calls;
            try {
                switch (random() % 4) {
                    case 0:
                        reader.ReadFloat();
                        break;
                    case 1:
                        reader.ReadInteger();
                        break;
                    case 2:
                        reader.NextWord();
                        break;
                    default:
                        reader.ReadLine();
                        break;
                }
            } catch (const EInputOutputError& e) {
                EXPECT_FALSE(e.Message().isEmpty());
                ended = e.Message() == kIncompleteFileMessage;
            }
            EXPECT_GE(reader.WordsLeft(), 0);
        }
        EXPECT_TRUE(ended) << data.toPercentEncoding().constData();
    }
}

}  // namespace
}  // namespace keldar
