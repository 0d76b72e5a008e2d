// The input/output error of the program's file readers and writers. It carries the exact text
// that the user sees in the message box.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace keldar {

class EInputOutputError : public std::exception {
  public:
    explicit EInputOutputError(QString message)
        : message_(std::move(message)), utf8_(message_.toUtf8()) {}

    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

  private:
    QString message_;
    QByteArray utf8_;
};

}  // namespace keldar
