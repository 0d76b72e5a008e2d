// Helpers shared by the project tests: message recording and whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <initializer_list>

#include "UserMessages.h"

namespace keldar::test {

// Records the texts of information and error boxes.
class MessageTexts : public UserMessages {
  public:
    void information(const QString&, const QString& text) override { texts.append(text); }
    void error(const QString&, const QString& text) override { texts.append("error: " + text); }
    Answer confirm(const QString&, const QString&, bool) override { return Answer::Cancel; }

    QStringList texts;
};

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

inline void WriteAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(data);
}

// Lines of a data file, each ended by CR LF.
inline QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray text;
    for (const char* line : lines) text += QByteArray(line) + "\r\n";
    return text;
}

}  // namespace keldar::test
