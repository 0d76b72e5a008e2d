// The start of a picture-taking program under a comma locale, and pictures that cannot be
// written.
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdio>

#include "GrabApplication.h"
#include "WindowPicture.h"

using namespace keldar;

class GrabTest : public QObject {
    Q_OBJECT

  private slots:
    void keepsThePointUnderACommaLocale() {
        // The test started with LC_ALL=de_DE.UTF-8: QApplication took the comma, the grab
        // application gave the point back.
        QVERIFY2(std::setlocale(LC_MONETARY, nullptr) == QByteArray("de_DE.UTF-8"),
                 "the de_DE.UTF-8 locale is missing: run scripts/install-deps.sh");
        char text[16];
        std::snprintf(text, sizeof text, "%.2f", 1.25);
        QCOMPARE(QByteArray(text), QByteArray("1.25"));
    }

    void checksItsArgumentCount() {
        const auto& app = static_cast<const TGrabApplication&>(*qApp);
        QVERIFY(app.ArgumentsFit(0, 1, "OUTDIR"));
        QVERIFY(!app.ArgumentsFit(1, 2, "OUTDIR [FILE]"));
        QCOMPARE(app.Argument(0), QString());
    }

    void writesWhatItCanAndSaysWhatItCannot() {
        QTemporaryDir dir;
        QLabel label(QStringLiteral("1.25 m"));
        label.resize(120, 40);
        label.show();
        const QString path = dir.filePath(QStringLiteral("label.png"));
        QVERIFY(SaveWidgetPicture(label, path));
        QCOMPARE(QImage(path).size(), label.grab().size());
        QVERIFY(!SaveWidgetPicture(label, dir.filePath(QStringLiteral("missing/label.png"))));
    }
};

int main(int argc, char** argv) {
    qputenv("LC_ALL", "de_DE.UTF-8");
    // Only the program's name: the argument count is what the test checks.
    int count = 1;
    TGrabApplication app(count, argv);
    GrabTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GrabTest.moc"
