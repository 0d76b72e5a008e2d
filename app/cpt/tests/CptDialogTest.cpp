// New Project from CPT through the main window: the dialog makes the project that keldar-cpt
// makes from the same entries, shows a refused file with its line and reason, and asks the save
// query with OK, keeping its entries when the query is cancelled.
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "MainSession.h"
#include "TdlgNewFromCpt.h"

using keldar::TdlgNewFromCpt;
using keldar::UserMessages;
using keldar::test::ExampleFile;
using keldar::test::ReadAll;
using keldar::test::Session;

namespace {

template <class Widget>
Widget* Find(const QWidget& parent, const char* name) {
    auto* found = parent.findChild<Widget*>(QLatin1String(name));
    if (found == nullptr) qFatal("no widget %s", name);
    return found;
}

// Types a number into a spin box as the user does, replacing what it shows.
void Type(QWidget& dialog, const char* name, const QString& text) {
    auto* box = Find<QDoubleSpinBox>(dialog, name);
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

// The entries of examples/cpt/dense-sand-pipe.args, the file chosen through Browse.
void EnterDenseSandPipe(Session& s, TdlgNewFromCpt& dialog) {
    s.desktop.queueOpen(ExampleFile(QStringLiteral("cpt/dense-sand-pipe.gef")));
    QTest::mouseClick(Find<QPushButton>(dialog, "Browse"), Qt::LeftButton);
    Type(dialog, "Diameter", QStringLiteral("1.2"));
    Type(dialog, "Wall", QStringLiteral("0.025"));
    Type(dialog, "Length", QStringLiteral("28"));
    Type(dialog, "WaterTable", QStringLiteral("0"));
    QTest::mouseClick(Find<QCheckBox>(dialog, "UnitWeightFromCone"), Qt::LeftButton);
}

QString Status(const QDialog& dialog) { return Find<QLabel>(dialog, "Status")->text(); }
bool OkEnabled(const QDialog& dialog) { return Find<QPushButton>(dialog, "OK")->isEnabled(); }

}  // namespace

class CptDialogTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString settingsFile() const { return dir_.filePath(QStringLiteral("settings.ini")); }

  private slots:
    void makesTheProjectOfTheCommandLine() {
        Session s(settingsFile());
        QString status;
        s.desktop.onModal = [&](QDialog& dialog) {
            EnterDenseSandPipe(s, static_cast<TdlgNewFromCpt&>(dialog));
            status = Status(dialog);
            QTest::mouseClick(Find<QPushButton>(dialog, "OK"), Qt::LeftButton);
        };
        s.form.FileNewFromCptClick();
        QCOMPARE(s.desktop.modals, QStringList{QStringLiteral("dlgNewFromCpt")});
        // The void qc row of the file is reported, not dropped silently.
        QVERIFY2(status.contains(QStringLiteral("1 void row dropped")), qPrintable(status));
        QVERIFY(s.form.Project().Modified());
        QVERIFY(!s.form.Project().CurvesGenerated);
        QVERIFY(s.desktop.messages().isEmpty());  // a new session's project needs no query

        const QString saved = dir_.filePath(QStringLiteral("dense-sand-pipe.kd3d"));
        s.desktop.queueSave(saved);
        QVERIFY(s.form.FileSaveAsClick());
        QCOMPARE(ReadAll(saved), ReadAll(ExampleFile(QStringLiteral("cpt/dense-sand-pipe.kd3d"))));
    }

    void refusedFileShowsLineAndReason() {
        const QString bad = dir_.filePath(QStringLiteral("bad.csv"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("depth (m),qc (MPa)\n1.0,12.5\n1.5,abc\n");
        file.close();
        Session s(settingsFile());
        s.desktop.onModal = [&](QDialog& dialog) {
            auto& cpt = static_cast<TdlgNewFromCpt&>(dialog);
            cpt.LoadFile(bad);
            QVERIFY2(
                Status(dialog).contains(
                    bad + QStringLiteral(": line 3: the cone resistance \"abc\" is not a number")),
                qPrintable(Status(dialog)));
            QVERIFY(!OkEnabled(dialog));
            QTest::mouseClick(Find<QPushButton>(dialog, "OK"), Qt::LeftButton);
            QVERIFY(dialog.result() != QDialog::Accepted);
            // A good file after the bad one clears the message.
            EnterDenseSandPipe(s, cpt);
            QVERIFY(OkEnabled(dialog));
            QVERIFY(!Status(dialog).contains(QStringLiteral("line 3")));
            dialog.reject();
        };
        const QString title = s.form.Project().Title;
        s.form.FileNewFromCptClick();
        QCOMPARE(s.form.Project().Title, title);
        QVERIFY(!s.form.Project().Modified());
    }

    // Set by hand starts from the layers Ic found; a top that is no depth below the one above
    // is refused with the layer's number.
    void layersSetByHand() {
        Session s(settingsFile());
        s.desktop.onModal = [&](QDialog& dialog) {
            auto& cpt = static_cast<TdlgNewFromCpt&>(dialog);
            EnterDenseSandPipe(s, cpt);
            const std::vector<keldar::cpt::SoilLayer> fromIc = cpt.Design()->layers;
            QTest::mouseClick(Find<QRadioButton>(dialog, "LayersByHand"), Qt::LeftButton);
            auto* table = Find<QTableWidget>(dialog, "Layers");
            QCOMPARE(table->rowCount(), static_cast<int>(fromIc.size()));
            QCOMPARE(cpt.Design()->layers.size(), fromIc.size());
            QCOMPARE(cpt.Design()->layers[0].bottom, table->item(1, 0)->text().toDouble());
            table->item(1, 0)->setText(QStringLiteral("abc"));
            QCOMPARE(
                Status(dialog),
                QStringLiteral("The top of layer 2 must be a depth below the top of layer 1."));
            QVERIFY(!OkEnabled(dialog));
            table->item(1, 0)->setText(QStringLiteral("5"));
            table->item(2, 0)->setText(QStringLiteral("6.5"));
            QVERIFY(OkEnabled(dialog));
            QCOMPARE(cpt.Design()->layers[0].bottom, 5.0);
            QCOMPARE(cpt.Design()->layers[1].kind, keldar::cpt::SoilKind::Clay);
            dialog.reject();
        };
        s.form.FileNewFromCptClick();
    }

    // A field that loses the focus as the window goes must not reach the window's members.
    void closesWithTheFocusInAField() {
        keldar::test::TestDesktop desktop;
        auto* dialog = new TdlgNewFromCpt(desktop);
        dialog->show();
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        Find<QLineEdit>(*dialog, "CptFile")->setFocus();
        QTest::keyClicks(Find<QLineEdit>(*dialog, "CptFile"), QStringLiteral("missing.gef"));
        delete dialog;
    }

    void saveQueryComesWithOk() {
        Session s(settingsFile());
        s.form.Project().Title = QStringLiteral("Work in progress");
        s.form.Project().SetModified(true);
        bool stayedOpen = false;
        s.desktop.onModal = [&](QDialog& dialog) {
            EnterDenseSandPipe(s, static_cast<TdlgNewFromCpt&>(dialog));
            s.desktop.queueAnswer(UserMessages::Answer::Cancel);
            QTest::mouseClick(Find<QPushButton>(dialog, "OK"), Qt::LeftButton);
            stayedOpen = dialog.result() != QDialog::Accepted && OkEnabled(dialog);
            s.desktop.queueAnswer(UserMessages::Answer::No);
            QTest::mouseClick(Find<QPushButton>(dialog, "OK"), Qt::LeftButton);
        };
        s.form.FileNewFromCptClick();
        QVERIFY(stayedOpen);
        QCOMPARE(s.texts(), QStringList(2, QStringLiteral("Do you want to save any changes?")));
        QCOMPARE(s.form.Project().Title, QStringLiteral("Pile from CPT CPT-S1"));
        QVERIFY(s.form.Project().Modified());
    }
};

QTEST_MAIN(CptDialogTest)
#include "CptDialogTest.moc"
