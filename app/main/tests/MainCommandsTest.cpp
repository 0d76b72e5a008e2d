// The main window's commands as a user meets them: an entry the program rejected stops every
// command that would use the project, access keys never type into an entry, commands that
// cannot act are disabled or say why, the user identification reaches the report, and the
// windows keep to the screen. Message boxes and file dialogs are answered by the test doubles.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "MainSession.h"
#include "TDataEdit.h"
#include "TableForm.h"

using keldar::TDataEdit;
using keldar::TMainActions;
using keldar::TTableForm;
using keldar::test::ExampleFile;
using keldar::test::ReadAll;
using keldar::test::Session;

namespace {

const QString kNotEvaluated = QStringLiteral("Entry could not be evaluated:");

// Types an entry into a field as the user does, replacing what it shows.
void Enter(QWidget* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

template <class Widget = TDataEdit>
Widget* Find(const QWidget& form, const char* name) {
    auto* found = form.findChild<Widget*>(QLatin1String(name));
    if (found == nullptr) qFatal("no widget %s", name);
    return found;
}

// Drops files on the window as the desktop does.
void DropOn(QWidget& window, const QString& fileName) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(fileName)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

}  // namespace

class MainCommandsTest : public QObject {
    Q_OBJECT

  private:
    keldar::test::TestFolder folder_;
    static void activate(Session& s) {
        QApplication::setActiveWindow(&s.form);
        QVERIFY(QTest::qWaitForWindowActive(&s.form));
    }
    // The one message since the last call starts with `start`, and the focus is back in `entry`.
    // Pile Properties open with "abc" in the outer diameter, its message answered.
    static TDataEdit* EnterRejectedDiameter(Session& s) {
        activate(s);
        s.actions().material->trigger();
        TDataEdit* diameter = Find(s.form, "DataOD");
        Enter(diameter, QStringLiteral("abc"));
        QTest::keyClick(diameter, Qt::Key_Tab);
        s.desktop.clear();
        return diameter;
    }

    static void expectRefused(Session& s, const QString& start, QWidget* entry, const char* what) {
        QVERIFY2(s.desktop.messages().size() == 1, what);
        QVERIFY2(s.texts().constFirst().startsWith(start), what);
        s.desktop.clear();
        QTRY_VERIFY2(entry->hasFocus(), what);
    }

  private slots:
    void init() { folder_.init(); }
    void cleanup() { folder_.cleanup(); }

    void rejectedFieldStopsEveryProjectCommand() {
        Session s(folder_.settingsFile());
        activate(s);
        const QString data = folder_.copyExample(QStringLiteral("steel-pipe-clay.kd3d"));
        s.open(data);
        const QByteArray original = ReadAll(data);
        const QString other = folder_.copyExample(QStringLiteral("pipe-pile-clay.kd3d"));
        const long double length = s.form.Project().PileLength;
        const bool generated = s.form.Project().CurvesGenerated;

        s.actions().material->trigger();
        TDataEdit* pileLength = Find(s.form, "DataPL");
        Enter(pileLength, QStringLiteral("abc"));
        QTest::keyClick(pileLength, Qt::Key_Tab);
        expectRefused(s, kNotEvaluated, pileLength, "leaving the field");

        // Menu items and tool buttons, a shortcut and a dropped file: none of them acts.
        const TMainActions& a = s.actions();
        for (QAction* command : {a.CompRun, a.FileSave, a.FileSaveAs, a.FileNew, a.FileOpen,
                                 a.SIUnits, a.miCircular, a.miNonCircular, a.Downdrag1}) {
            command->trigger();
            expectRefused(s, kNotEvaluated, pileLength, qPrintable(command->objectName()));
        }
        QTest::keyClick(pileLength, Qt::Key_S, Qt::ControlModifier);
        expectRefused(s, kNotEvaluated, pileLength, "Ctrl+S");
        DropOn(s.form, other);
        expectRefused(s, kNotEvaluated, pileLength, "dropped file");
        QCOMPARE(s.form.Project().FileName, data);
        QCOMPARE(s.form.Project().UnitSystem, keldar::usEnglish);
        QCOMPARE(s.form.Project().CurvesGenerated, generated);
        QVERIFY(!s.form.Project().DowndragOn);
        QCOMPARE(s.form.Project().PileLength, length);
        QCOMPARE(ReadAll(data), original);
        QVERIFY(!QFileInfo::exists(folder_.path(QStringLiteral("steel-pipe-clay.kd3o"))));
        QVERIFY(s.desktop.requests.size() == 1);  // only the Open at the start

        // Help neither reads nor changes the project: it is there while the entry is corrected.
        s.actions().HelpAbout->trigger();
        QCOMPARE(s.desktop.modals.size(), 1);
        QVERIFY(s.texts().isEmpty());

        // A menu opened over the entry closes again, its commands out of reach.
        auto* file = s.form.findChild<QMenu*>(QStringLiteral("File"));
        file->popup(s.form.mapToGlobal(QPoint(10, 10)));
        expectRefused(s, kNotEvaluated, pileLength, "File menu");
        QTRY_VERIFY(!file->isVisible());

        // Corrected, the commands act on the corrected value.
        Enter(pileLength, QStringLiteral("12*60"));
        s.actions().FileSave->trigger();
        QVERIFY(s.texts().isEmpty());
        QCOMPARE(s.form.Project().PileLength, 720.0L);
        QVERIFY(ReadAll(data) != original);
    }

    void rejectedTableCellStopsTheRun() {
        Session s(folder_.settingsFile());
        activate(s);
        const QString data = folder_.copyExample(QStringLiteral("steel-pipe-clay.kd3d"));
        s.open(data);
        s.form.Project().TipMovementsOn = true;
        s.actions().TipMovement1->setEnabled(true);
        s.actions().TipMovement1->trigger();
        auto* form = s.form.MdiArea().findChild<TTableForm*>();
        QVERIFY(form);
        const QModelIndex cell = form->Grid()->model()->index(0, 0);
        form->Grid()->setCurrentIndex(cell);
        form->Grid()->edit(cell);
        auto* editor = form->Grid()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        Enter(editor, QStringLiteral("2*"));

        s.actions().CompRun->trigger();
        QCOMPARE(s.desktop.messages().size(), 1);
        QVERIFY(s.texts().constFirst().startsWith(kNotEvaluated));
        QVERIFY(!QFileInfo::exists(folder_.path(QStringLiteral("steel-pipe-clay.kd3o"))));
        QTRY_VERIFY(form->Grid()->viewport()->findChild<QLineEdit*>() != nullptr);
        QVERIFY(form->HasRejectedEntry());
    }

    void accessKeysNeverChangeARejectedEntry() {
        Session s(folder_.settingsFile());
        TDataEdit* diameter = EnterRejectedDiameter(s);
        QTRY_VERIFY(diameter->hasFocus());
        // Alt+D opens the Data menu, which refuses; Alt+Q and Alt+Z belong to nothing.
        for (const Qt::Key key : {Qt::Key_D, Qt::Key_Q, Qt::Key_Z}) {
            QTest::keyClick(diameter, key, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
            // The offscreen platform leaves a closed menu the active window; a desktop does not.
            QApplication::setActiveWindow(&s.form);
            QTRY_VERIFY(diameter->hasFocus());
            QCOMPARE(diameter->text(), QStringLiteral("abc"));
        }
        QCOMPARE(s.texts().size(), 1);  // the Data menu's: the other chords reach no command
    }

    void aMenuNeverStartsToOpenOverARejectedEntry() {
        Session s(folder_.settingsFile());
        TDataEdit* diameter = EnterRejectedDiameter(s);
        QTRY_VERIFY(diameter->hasFocus());
        // The message box of the entry must not run inside the menu's own opening: the bar
        // would be left holding a menu it no longer has.
        auto* data = s.form.menuBar()->findChild<QMenu*>(QStringLiteral("Data"));
        QVERIFY(data);
        QSignalSpy opening(data, &QMenu::aboutToShow);
        QTest::keyClick(diameter, Qt::Key_D, Qt::AltModifier);
        QTest::mouseClick(s.form.menuBar(), Qt::LeftButton, {},
                          s.form.menuBar()->actionGeometry(data->menuAction()).center());
        QCOMPARE(opening.count(), 0);
        QCOMPARE(s.texts().size(), 2);
        QVERIFY(QApplication::activePopupWidget() == nullptr);

        Enter(diameter, QStringLiteral("24"));
        QTest::keyClick(diameter, Qt::Key_Tab);
        QTest::mouseClick(s.form.menuBar(), Qt::LeftButton, {},
                          s.form.menuBar()->actionGeometry(data->menuAction()).center());
        QTRY_COMPARE(opening.count(), 1);
        data->close();
    }

    void commandsThatCannotActAreDisabledOrSayWhy() {
        Session s(folder_.settingsFile());
        // No report before any run.
        QVERIFY(!s.actions().CompOutput->isEnabled());
        s.form.CheckSpeedButtons();
        QVERIFY(!s.actions().CompOutput->isEnabled());
        // Entered curves have no soil layers to draw: the view's button and item with the editor.
        s.actions().miNonCircular->trigger();
        QVERIFY(!s.actions().ViewSoilLayerCoordinates1->isEnabled());
        QVERIFY(!s.actions().SoilLayerCoordinates1->isEnabled());
        s.actions().miCircular->trigger();
        QVERIFY(s.actions().ViewSoilLayerCoordinates1->isEnabled());
        s.actions().ViewSoilLayerCoordinates1->trigger();  // a new, unsaved project: the view shows
                                                           // its layers
        QCOMPARE(s.form.MdiArea().subWindowList().size(), 1);
        QVERIFY(s.texts().isEmpty());

        const QString data = folder_.copyExample(QStringLiteral("user-curves-si.kd3d"));
        // The curve choices above are edits: not saved.
        s.desktop.queueAnswer(keldar::UserMessages::Answer::No);
        s.open(data);
        QVERIFY(!s.actions().ViewSoilLayerCoordinates1->isEnabled());
        QVERIFY(!s.actions().ViewSoilLayerCoordinates1->isEnabled());
        s.actions().CompRun->trigger();
        QVERIFY(s.actions().CompOutput->isEnabled());
        // A report deleted behind the program's back: the button says so and turns off.
        QVERIFY(QFile::remove(folder_.path(QStringLiteral("user-curves-si.kd3o"))));
        s.desktop.clear();
        s.actions().CompOutput->trigger();
        QCOMPARE(
            s.texts(),
            QStringList{QStringLiteral("There is no output report yet: run the analysis first.")});
        QVERIFY(!s.actions().CompOutput->isEnabled());
        QVERIFY(s.desktop.opened.isEmpty() && s.desktop.started.isEmpty());
    }

    void userIdentificationReachesTheReportAndTheSettings() {
        const QString data = folder_.copyExample(QStringLiteral("steel-pipe-clay.kd3d"));
        {
            Session s(folder_.settingsFile());
            activate(s);
            s.actions().CompText->trigger();
            Enter(Find<QLineEdit>(s.form, "EdtUserName"), QStringLiteral("R. Engineer"));
            Enter(Find<QLineEdit>(s.form, "EdtOrganisation"), QStringLiteral("Soil Mechanics Ltd"));
            Enter(Find<QLineEdit>(s.form, "EdtContactName"), QStringLiteral("P. Partner"));
            Enter(Find(s.form, "DataUserNumber"), QStringLiteral("4711"));
            s.open(data);
            s.actions().CompRun->trigger();
            const QByteArray report = ReadAll(folder_.path(QStringLiteral("steel-pipe-clay.kd3o")));
            QVERIFY(report.contains("R. Engineer"));
            QVERIFY(report.contains("Soil Mechanics L, P. Partner"));
            QVERIFY(report.contains("4711"));
            QVERIFY(s.form.close());
        }
        Session again(folder_.settingsFile());
        again.actions().CompText->trigger();
        QCOMPARE(Find<QLineEdit>(again.form, "EdtUserName")->text(), QStringLiteral("R. Engineer"));
        QCOMPARE(Find<QLineEdit>(again.form, "EdtOrganisation")->text(),
                 QStringLiteral("Soil Mechanics L"));
        QCOMPARE(Find(again.form, "DataUserNumber")->text(), QStringLiteral("4711"));
    }

    void mainWindowKeepsItsGeometry() {
        {
            Session s(folder_.settingsFile());
            s.form.resize(1013, 677);
            QVERIFY(s.form.close());
        }
        Session again(folder_.settingsFile());
        QCOMPARE(again.form.size(), QSize(1013, 677));
    }

    void childWindowsOpenInsideTheWorkspace() {
        Session s(folder_.settingsFile());
        s.form.resize(760, 480);
        QApplication::processEvents();
        s.open(folder_.copyExample(QStringLiteral("user-curves-si.kd3d")));
        s.actions().CompRun->trigger();
        const QRect workspace = s.form.MdiArea().viewport()->rect();
        const TMainActions& a = s.actions();
        for (QAction* command : {a.SoilParameters1, a.mLoad, a.mAxial, a.mtzcurves, a.mTip,
                                 a.material, a.PileProperties1}) {
            const QByteArray name = command->objectName().toLatin1();
            command->setEnabled(true);
            command->trigger();
            QMdiSubWindow* child = s.form.MdiArea().activeSubWindow();
            QVERIFY2(child, name.constData());
            QTRY_VERIFY2(workspace.contains(child->geometry()), name.constData());
        }
    }
};

QTEST_MAIN(MainCommandsTest)
#include "MainCommandsTest.moc"
