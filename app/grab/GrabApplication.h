#pragma once
// The Qt application of a program that takes pictures of windows for review.

#include <QApplication>
#include <QString>

namespace keldar {

class TGrabApplication : public QApplication {
  public:
    // Keeps "." as the decimal point of C-level number formatting, which QApplication hands to
    // the user's locale, so that pictures of numbers look alike on every machine.
    TGrabApplication(int& argc, char** argv);

    // Whether the arguments after the program's name number from `least` to `most`; if not,
    // "usage: PROGRAM USAGE" goes to stderr.
    bool ArgumentsFit(int least, int most, const char* usage) const;
    // The argument `k` after the program's name.
    QString Argument(int k) const;
};

}  // namespace keldar
