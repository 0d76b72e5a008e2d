// The real desktop's file dialog, driven as a user does on the offscreen platform.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "TQtDesktop.h"

using keldar::SingleSuffixOf;
using keldar::TFileChoice;
using keldar::TFileDialogRequest;
using keldar::TQtDesktop;

class QtDesktopTest : public QObject {
    Q_OBJECT

  private:
    // Saves through the dialog: picks the filter at filterIndex (the first selected at the
    // start), types `name` and accepts.
    static std::optional<TFileChoice> SaveAs(const TFileDialogRequest& request, int filterIndex,
                                             const QString& name) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            // The user steps down the list of file types from the first.
            for (int i = 0; types != nullptr && i < filterIndex; ++i)
                QTest::keyClick(types, Qt::Key_Down);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        TQtDesktop desktop;
        return desktop.saveFileName(request);
    }

  private slots:
    void suffixOfAFilter() {
        QCOMPARE(SingleSuffixOf(QStringLiteral("PNG image (*.png)")), QStringLiteral("png"));
        QCOMPARE(SingleSuffixOf(QStringLiteral("KELDAR 2014 (*.kd3d)")), QStringLiteral("kd3d"));
        QCOMPARE(SingleSuffixOf(QStringLiteral("Load tests (*.csv *.txt)")), QString());
        QCOMPARE(SingleSuffixOf(QStringLiteral("All Files (*)")), QString());
    }

    // A save dialog whose filters choose the kind of file appends the extension of the filter
    // the user picked; another keeps its one default extension.
    void theExtensionFollowsThePickedFilter() {
        QTemporaryDir folder;
        TFileDialogRequest request{
            .fileName = folder.filePath(QStringLiteral("plot")),
            .filters = {QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("PNG image (*.png)")},
            .defaultSuffix = QStringLiteral("bmp"),
            .suffixFollowsFilter = true};
        std::optional<TFileChoice> choice = SaveAs(request, 1, QStringLiteral("plot"));
        QVERIFY(choice.has_value());
        QCOMPARE(choice->fileName, folder.filePath(QStringLiteral("plot.png")));
        QCOMPARE(choice->filterIndex, 1);

        request.suffixFollowsFilter = false;
        choice = SaveAs(request, 1, QStringLiteral("plot"));
        QVERIFY(choice.has_value());
        QCOMPARE(choice->fileName, folder.filePath(QStringLiteral("plot.bmp")));
    }
};

QTEST_MAIN(QtDesktopTest)
#include "QtDesktopTest.moc"
