#include <QApplication>
#include <QTest>
#include <clocale>

namespace keldar {
int RunPlotWindowTests(int argc, char** argv);
int RunSampleRunPlotsTests(int argc, char** argv);
int RunMeasuredCurveWindowTests(int argc, char** argv);
}  // namespace keldar

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    int failures = keldar::RunPlotWindowTests(argc, argv);
    failures += keldar::RunSampleRunPlotsTests(argc, argv);
    failures += keldar::RunMeasuredCurveWindowTests(argc, argv);
    return failures;
}
