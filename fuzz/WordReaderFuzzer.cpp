// TWordReader over any bytes: every word, number and line can be asked for until the end, and a
// bad one raises the positioned message instead of reading past the text.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <exception>

#include "FuzzSupport.h"
#include "InputOutputError.h"
#include "WordReader.h"

using namespace keldar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the order of requests; the rest is the file.
    const std::uint8_t pattern = data[0];
    TWordReader reader = TWordReader::FromData(
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)));
    for (int line = 0; line < reader.LineCount(); ++line) {
        const TWordContainer words = reader.Line(line);
        for (int w = 0; w < words.Count(); ++w)
            fuzz::Check(!words.Word(w).isEmpty(), "no empty word");
    }
    for (int step = 0; !reader.AtEnd() && step < 100000; ++step) {
        const qsizetype left = reader.WordsLeft();
        try {
            switch ((pattern >> (2 * (step % 4))) & 3) {
                case 0:
                    reader.NextWord();
                    break;
                case 1:
                    reader.ReadFloat();
                    break;
                case 2:
                    reader.ReadInteger();
                    break;
                default:
                    reader.ReadLine();
                    break;
            }
        } catch (const EInputOutputError&) {
            break;
        }
        fuzz::Check(reader.WordsLeft() <= left, "reading never gives words back");
    }
    return 0;
}
