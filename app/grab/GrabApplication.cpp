#include "GrabApplication.h"

#include <QFileInfo>
#include <clocale>
#include <cstdio>

namespace keldar {

TGrabApplication::TGrabApplication(int& argc, char** argv) : QApplication(argc, argv) {
    std::setlocale(LC_NUMERIC, "C");
}

bool TGrabApplication::ArgumentsFit(int least, int most, const char* usage) const {
    const qsizetype given = arguments().size() - 1;
    if (given >= least && given <= most) return true;
    std::fprintf(stderr, "usage: %s %s\n", qPrintable(QFileInfo(arguments().value(0)).fileName()),
                 usage);
    return false;
}

QString TGrabApplication::Argument(int k) const { return arguments().value(k + 1); }

}  // namespace keldar
