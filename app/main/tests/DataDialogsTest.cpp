#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <clocale>
#include <cmath>

#include "DataDialogWindows.h"
#include "ProgramData.h"
#include "TDataEdit.h"
#include "TDlgOptions.h"
#include "TdlgTitle.h"
#include "TestDesktop.h"
#include "TfrmMaterial.h"
#include "TfrmQwFactors.h"
#include "TitleMemo.h"

using namespace keldar;

class DataDialogsTest : public QObject {
    Q_OBJECT

  private:
    TMainTables tables_ = TMainTables::BuiltIn();
    std::unique_ptr<TProgramData> project_;
    std::unique_ptr<QMdiArea> area_;
    QMdiSubWindow* other_ = nullptr;  // another child window to switch to
    test::TestDesktop desktop_;

    template <class Field = TDataEdit>
    static Field* field(QWidget* dialog, const char* name) {
        auto* found = dialog->findChild<Field*>(QString::fromLatin1(name));
        if (found == nullptr) qFatal("no field %s", name);
        return found;
    }

    // Types an entry into a field as the user does, replacing what it shows.
    static void enter(QWidget* widget, const QString& text) {
        widget->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(widget, text);
    }

    // Clears the field first: an operator typed over the selected value would extend it.
    static void enterAfresh(QWidget* widget, const QString& text) {
        enter(widget, QString());
        QTest::keyClick(widget, Qt::Key_Backspace);
        QTest::keyClicks(widget, text);
    }

    QStringList takeMessages() {
        QStringList texts;
        for (const auto& message : desktop_.messages()) texts.append(message.text);
        desktop_.clear();
        return texts;
    }

    void switchToOtherWindow() {
        area_->setActiveSubWindow(other_);
        QApplication::processEvents();
    }

    TfrmMaterial* openMaterial() {
        return ShowDataDialog<TfrmMaterial>(*area_, *project_, desktop_);
    }

  private slots:
    void initTestCase() { std::setlocale(LC_NUMERIC, "C"); }

    void init() {
        project_ = std::make_unique<TProgramData>(tables_);
        area_ = std::make_unique<QMdiArea>();
        other_ = area_->addSubWindow(new QLabel(QStringLiteral("table editor")));
        area_->resize(900, 700);
        area_->show();
        QApplication::setActiveWindow(area_.get());
        QVERIFY(QTest::qWaitForWindowActive(area_.get()));
        desktop_.clear();
    }

    void cleanup() {
        area_.reset();
        project_.reset();
    }

    void pilePropertiesStoreOnDeactivation() {
        project_->PileLength = 600;
        TfrmMaterial* dialog = openMaterial();
        QCOMPARE(field(dialog, "DataPL")->text(), QStringLiteral("600"));
        QCOMPARE(field(dialog, "DataNI")->text(), QStringLiteral("50"));
        QCOMPARE(field(dialog, "DataPL")->EditLabel()->text(), QStringLiteral("Pile Length (in)"));
        QCOMPARE(field(dialog, "DataArea")->EditLabel()->text(),
                 QStringLiteral("Area of Pile Tip (in²)"));

        enter(field(dialog, "DataPL"), QStringLiteral("12*100"));
        enter(field(dialog, "DataOD"), QStringLiteral("24"));
        enter(field(dialog, "DataArea"), QStringLiteral("24*24"));
        QCOMPARE(field(dialog, "DataPL")->text(), QStringLiteral("1200"));
        QCOMPARE(project_->PileLength, 600.0L);  // nothing stored while the window is active

        switchToOtherWindow();
        QCOMPARE(project_->PileLength, 1200.0L);
        QCOMPARE(project_->OuterDiameter, 24.0L);
        QCOMPARE(project_->TipArea, 576.0L);
        QVERIFY(project_->Modified());
        QVERIFY(takeMessages().isEmpty());

        // Activation shows the project as it is now.
        project_->Tolerance = 0.001L;
        area_->setActiveSubWindow(dialog->SubWindow());
        QCOMPARE(field(dialog, "DataTol")->text(), QStringLiteral("0.001"));
    }

    void unchangedFieldsLeaveTheProjectUnmodified() {
        project_->PileLength = 1.0L / 3.0L;  // more digits than the field shows
        project_->TipArea = 201.06;          // a double, as read from a data file
        TfrmMaterial* dialog = openMaterial();
        QCOMPARE(field(dialog, "DataArea")->text(), QStringLiteral("201.06"));
        switchToOtherWindow();
        QCOMPARE(project_->PileLength, 1.0L / 3.0L);
        QCOMPARE(project_->TipArea, static_cast<long double>(201.06));
        QVERIFY(!project_->Modified());

        // A value beyond a limit shows at the limit and is stored so.
        project_->IncrementCount = 5;
        area_->setActiveSubWindow(dialog->SubWindow());
        QCOMPARE(field(dialog, "DataNI")->text(), QStringLiteral("10"));
        switchToOtherWindow();
        QCOMPARE(project_->IncrementCount, 10);
        QVERIFY(project_->Modified());
    }

    void incrementsBelowMinimumTakeTheMinimum() {
        TfrmMaterial* dialog = openMaterial();
        TDataEdit* increments = field(dialog, "DataNI");
        enter(increments, QStringLiteral("5"));
        QTest::keyClick(increments, Qt::Key_Tab);
        QCOMPARE(takeMessages(), QStringList{"Entry must be greater than or equal to 10"});
        QCOMPARE(increments->text(), QStringLiteral("10"));
        QVERIFY(increments->hasFocus());
        QCOMPARE(project_->IncrementCount, 50);

        switchToOtherWindow();
        QCOMPARE(project_->IncrementCount, 10);
    }

    // A pile without length, diameter or tip area is refused where it is typed, as typed.
    void pileDimensionsMustBeAboveZero() {
        project_->PileLength = 600;
        TfrmMaterial* dialog = openMaterial();
        for (const char* name : {"DataPL", "DataOD", "DataArea"}) {
            for (const char* entry : {"-600", "0"}) {
                TDataEdit* dimension = field(dialog, name);
                enterAfresh(dimension, QString::fromLatin1(entry));
                QTest::keyClick(dimension, Qt::Key_Tab);
                QCOMPARE(takeMessages(), QStringList{"Entry must be greater than 0"});
                QVERIFY(dimension->hasFocus());
                QCOMPARE(dimension->text(), QString::fromLatin1(entry));
                enter(dimension, QStringLiteral("12"));
                QTest::keyClick(dimension, Qt::Key_Tab);
                QVERIFY(takeMessages().isEmpty());
            }
        }
        switchToOtherWindow();
        QCOMPARE(project_->PileLength, 12.0L);
        QCOMPARE(project_->TipArea, 12.0L);
    }

    void rejectedEntryKeepsTheDialogOpen() {
        TfrmMaterial* dialog = openMaterial();
        QMdiSubWindow* sub = dialog->SubWindow();
        enter(field(dialog, "DataPL"), QStringLiteral("800"));
        TDataEdit* diameter = field(dialog, "DataOD");
        enter(diameter, QStringLiteral("2*"));
        QTest::keyClick(diameter, Qt::Key_Tab);
        QCOMPARE(takeMessages().size(), 1);
        QVERIFY(diameter->hasFocus());

        // Closing is refused and nothing of the window is stored.
        QVERIFY(!sub->close());
        QApplication::processEvents();
        QCOMPARE(takeMessages().size(), 1);
        QVERIFY(area_->subWindowList().contains(sub));
        QCOMPARE(project_->PileLength, 0.0L);
        QVERIFY(!project_->Modified());

        // Switching away brings the window back with the focus in the field.
        switchToOtherWindow();
        QCOMPARE(takeMessages().size(), 1);
        QTRY_COMPARE(area_->activeSubWindow(), sub);
        QTRY_VERIFY(diameter->hasFocus());
        QCOMPARE(diameter->text(), QStringLiteral("2*"));
        QCOMPARE(project_->PileLength, 0.0L);

        // Corrected, the window closes and stores every field.
        enter(diameter, QStringLiteral("2*18"));
        sub->close();
        QTRY_VERIFY(FindChild<TfrmMaterial>(*area_) == nullptr);
        QVERIFY(takeMessages().isEmpty());
        QCOMPARE(project_->PileLength, 800.0L);
        QCOMPARE(project_->OuterDiameter, 36.0L);
    }

    void standaloneWindowAndAnotherProgram() {
        // As a top-level window it follows its own activation; another program taking the focus
        // stores acceptable entries without a message and keeps the rest on screen.
        TfrmMaterial dialog(*project_, desktop_);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        enter(field(&dialog, "DataPL"), QStringLiteral("700"));
        enter(field(&dialog, "DataOD"), QStringLiteral("2*"));  // still being typed
        QApplication::setActiveWindow(nullptr);
        QTRY_VERIFY(!dialog.isActiveWindow());
        QVERIFY(takeMessages().isEmpty());
        QCOMPARE(project_->PileLength, 0.0L);

        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(field(&dialog, "DataOD")->text(), QStringLiteral("2*"));
        enter(field(&dialog, "DataOD"), QStringLiteral("2*15"));
        QApplication::setActiveWindow(nullptr);
        QTRY_COMPARE(project_->OuterDiameter, 30.0L);
        QCOMPARE(project_->PileLength, 700.0L);
        QVERIFY(takeMessages().isEmpty());

        // Switching to another window of the program stores as in the main window.
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        enter(field(&dialog, "DataTol"), QStringLiteral("0.01"));
        QApplication::setActiveWindow(area_.get());
        QTRY_COMPARE(project_->Tolerance, 0.01L);
    }

    void unitSwitchRefreshesValuesAndLabels() {
        project_->PileLength = 1000;
        project_->TipArea = 144;
        TfrmMaterial* dialog = openMaterial();
        auto* factors = ShowDataDialog<TfrmQwFactors>(*area_, *project_, desktop_);
        project_->SetUnitSystem(2);
        dialog->FormActivate();
        factors->FormActivate();
        project_->SetModified(false);  // the switch is an edit; storing the windows adds none

        TDataEdit* length = field(dialog, "DataPL");
        QVERIFY(std::fabs(length->Number() - 1000.0L / 39.37007874L) < 1e-12L);
        QCOMPARE(length->EditLabel()->text(), QStringLiteral("Pile Length (m)"));
        QCOMPARE(field(dialog, "DataArea")->EditLabel()->text(),
                 QStringLiteral("Area of Pile Tip (m²)"));
        QCOMPARE(field(dialog, "DataTol")->EditLabel()->text(), QStringLiteral("Tolerance (m)"));
        QCOMPARE(field(dialog, "DataNI")->EditLabel()->text(),
                 QStringLiteral("Number of Increments"));

        // Storing the refreshed window keeps the converted values exactly.
        const long double converted = project_->PileLength;
        area_->setActiveSubWindow(dialog->SubWindow());
        area_->setActiveSubWindow(factors->SubWindow());
        QCOMPARE(project_->PileLength, converted);
        QVERIFY(!project_->Modified());
    }

    void qwFactorsStoreOnClose() {
        auto* dialog = ShowDataDialog<TfrmQwFactors>(*area_, *project_, desktop_);
        QCOMPARE(dialog->SubWindow()->windowTitle(),
                 QStringLiteral("Enter Modifications Factors for Tip Resistance"));
        enter(field(dialog, "DataQfactor"), QStringLiteral("0.8"));
        enterAfresh(field(dialog, "Datawfactor"), QStringLiteral("-1.5"));
        dialog->SubWindow()->close();
        QTRY_VERIFY(FindChild<TfrmQwFactors>(*area_) == nullptr);
        QCOMPARE(project_->QMultiplier, 0.8L);
        QCOMPARE(project_->WMultiplier, -1.5L);
        QVERIFY(project_->Modified());
    }

    void titleStoresOnClose() {
        auto* dialog = ShowDataDialog<TdlgTitle>(*area_, *project_, desktop_);
        auto* memo = field<TTitleMemo>(dialog, "TitleMemo");
        auto* designer = field<QLineEdit>(dialog, "DataEdit1");
        auto* date = field<QLineEdit>(dialog, "DataEdit2");
        QCOMPARE(memo->toPlainText(), QStringLiteral("New Pile"));
        QVERIFY(designer->text().isEmpty() && date->text().isEmpty());

        // One line of at most 80 characters: Enter adds nothing.
        enter(memo, QStringLiteral("Test pile 7"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QString(100, QLatin1Char('x')));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Test pile 7") + QString(69, 'x'));
        enter(memo, QStringLiteral("Test pile 7"));
        enter(designer, QStringLiteral("A. Engineer"));
        enter(date, QStringLiteral("2026-12-07"));

        dialog->SubWindow()->close();
        QTRY_VERIFY(FindChild<TdlgTitle>(*area_) == nullptr);
        QCOMPARE(project_->Title, QStringLiteral("Test pile 7"));
        QCOMPARE(project_->Designer, QStringLiteral("A. Engineer"));
        QCOMPARE(project_->DesignDate, QStringLiteral("2026-12-07"));
        QVERIFY(project_->Modified());

        // Designer and date alone are not project data.
        project_->SetModified(false);
        dialog = ShowDataDialog<TdlgTitle>(*area_, *project_, desktop_);
        QCOMPARE(field<QLineEdit>(dialog, "DataEdit2")->text(), QStringLiteral("2026-12-07"));
        enter(field<QLineEdit>(dialog, "DataEdit1"), QStringLiteral("B. Checker"));
        switchToOtherWindow();
        QCOMPARE(project_->Designer, QStringLiteral("B. Checker"));
        QVERIFY(!project_->Modified());
    }

    void optionsBrowseAndStore() {
        QString editorPath = QStringLiteral("/usr/bin/editor");
        TUserIdentification user;
        auto* dialog = ShowDataDialog<TDlgOptions>(*area_, editorPath, user, desktop_);
        auto* path = field<QLineEdit>(dialog, "EdtWord");
        QCOMPARE(path->text(), editorPath);

        desktop_.queueOpen(QStringLiteral("/opt/bin/notes"));
        QTest::mouseClick(field<QPushButton>(dialog, "BtnBrowse"), Qt::LeftButton);
        QCOMPARE(desktop_.requests.last().fileName, QStringLiteral("/usr/bin/editor"));
        QCOMPARE(path->text(), QStringLiteral("/opt/bin/notes"));
        desktop_.queueOpen(QString());  // cancelled
        QTest::mouseClick(field<QPushButton>(dialog, "BtnBrowse"), Qt::LeftButton);
        QCOMPARE(path->text(), QStringLiteral("/opt/bin/notes"));

        QCOMPARE(editorPath, QStringLiteral("/usr/bin/editor"));
        switchToOtherWindow();
        QCOMPARE(editorPath, QStringLiteral("/opt/bin/notes"));
        QVERIFY(!project_->Modified());
    }

    // The report header's user identification: each text within the room names.dat gives it,
    // the number a whole number that the engine reads.
    void optionsEditTheUserIdentification() {
        QString editorPath;
        TUserIdentification user{QStringLiteral("A. User"), QString(), QString(), 0};
        auto* dialog = ShowDataDialog<TDlgOptions>(*area_, editorPath, user, desktop_);
        QCOMPARE(field<QLineEdit>(dialog, "EdtUserName")->text(), QStringLiteral("A. User"));
        enter(field<QLineEdit>(dialog, "EdtUserName"), QString(40, QLatin1Char('n')));
        enter(field<QLineEdit>(dialog, "EdtOrganisation"),
              QStringLiteral("Geotechnical Consultants Ltd"));
        enter(field<QLineEdit>(dialog, "EdtContactName"), QStringLiteral("B. Contact"));
        TDataEdit* number = field(dialog, "DataUserNumber");
        QCOMPARE(number->EditLabel()->text(), QStringLiteral("User N&umber:"));
        for (const char* rejected : {"-3", "2147483648", "12.5"}) {
            enter(number, QLatin1String(rejected));
            switchToOtherWindow();
            QCOMPARE(takeMessages().size(), 1);
            QTRY_COMPARE(area_->activeSubWindow(), dialog->SubWindow());
            QCOMPARE(user.UserName, QStringLiteral("A. User"));  // nothing stored meanwhile
        }
        enter(number, QStringLiteral("2147483647"));
        switchToOtherWindow();
        QVERIFY(takeMessages().isEmpty());
        QCOMPARE(user.UserName, QString(32, QLatin1Char('n')));
        QCOMPARE(user.Organisation, QStringLiteral("Geotechnical Con"));
        QCOMPARE(user.ContactName, QStringLiteral("B. Contact"));
        QCOMPARE(user.Number, qint64{2147483647});
        QCOMPARE(number->text(), QStringLiteral("2147483647"));  // every digit of a whole number
    }

    // A value converted to other units shows in 8 digits from its first character, and storing
    // the window keeps the value the project holds: English, S.I. and back is exact.
    void convertedValuesShowShortAndStayExact() {
        project_->PileLength = 900;
        project_->Tolerance = 0.0001;
        TfrmMaterial* dialog = openMaterial();
        project_->SetUnitSystem(2);
        dialog->FormActivate();
        project_->SetModified(false);  // the switch is an edit; storing the window adds none
        TDataEdit* length = field(dialog, "DataPL");
        QCOMPARE(length->text(), QStringLiteral("22.86"));
        QCOMPARE(length->cursorPosition(), 0);
        QCOMPARE(field(dialog, "DataTol")->text(), QStringLiteral("2.54E-6"));
        QCOMPARE(length->Number(), project_->PileLength);
        switchToOtherWindow();
        area_->setActiveSubWindow(dialog->SubWindow());
        QVERIFY(length->Validate());  // leaving the field unedited keeps the value too
        switchToOtherWindow();
        QVERIFY(!project_->Modified());
        project_->SetUnitSystem(1);
        dialog->FormActivate();
        project_->SetModified(false);
        switchToOtherWindow();

        TMainTables plainTables = TMainTables::BuiltIn();
        TProgramData plain(plainTables);  // the same conversions without a window
        plain.PileLength = 900;
        plain.Tolerance = 0.0001;
        plain.SetUnitSystem(2);
        plain.SetUnitSystem(1);
        QCOMPARE(project_->PileLength, plain.PileLength);
        QCOMPARE(project_->Tolerance, plain.Tolerance);
        QCOMPARE(static_cast<double>(project_->PileLength), 900.0);
        QVERIFY(!project_->Modified());

        // Edited, the field takes the value typed.
        area_->setActiveSubWindow(dialog->SubWindow());
        enter(length, QStringLiteral("1/3"));
        QTest::keyClick(length, Qt::Key_Return);
        QCOMPARE(length->text(), QStringLiteral("0.33333333"));
        switchToOtherWindow();
        QVERIFY(std::fabs(project_->PileLength - 1.0L / 3.0L) < 1e-17L);
    }

    void oneInstanceOfEach() {
        QString editorPath;
        TUserIdentification user;
        TfrmMaterial* material = openMaterial();
        switchToOtherWindow();
        QCOMPARE(openMaterial(), material);
        QCOMPARE(area_->activeSubWindow(), material->SubWindow());
        ShowDataDialog<TfrmQwFactors>(*area_, *project_, desktop_);
        ShowDataDialog<TdlgTitle>(*area_, *project_, desktop_);
        ShowDataDialog<TDlgOptions>(*area_, editorPath, user, desktop_);
        QCOMPARE(openMaterial(), material);
        QVERIFY(ShowDataDialog<TDlgOptions>(*area_, editorPath, user, desktop_) ==
                FindChild<TDlgOptions>(*area_));
        QCOMPARE(area_->subWindowList().size(), 5);

        // A minimised window comes back; a closed one is made anew.
        material->SubWindow()->showMinimized();
        QCOMPARE(openMaterial(), material);
        QVERIFY(!material->SubWindow()->isMinimized());
        material->SubWindow()->close();
        QTRY_VERIFY(FindChild<TfrmMaterial>(*area_) == nullptr);
        QVERIFY(openMaterial() != nullptr);
        QCOMPARE(area_->subWindowList().size(), 5);
    }

    void menuOpeningStoresTheActiveDialog() {
        TfrmMaterial* dialog = openMaterial();
        enter(field(dialog, "DataTol"), QStringLiteral("0.0001"));
        QVERIFY(dialog->FormDeactivate());
        QCOMPARE(project_->Tolerance, 0.0001L);

        enter(field(dialog, "DataTol"), QStringLiteral("2"));
        QVERIFY(!dialog->FormDeactivate());
        QCOMPARE(takeMessages(), QStringList{"Entry must be less than or equal to 1"});
        QCOMPARE(project_->Tolerance, 0.0001L);
    }
};

QTEST_MAIN(DataDialogsTest)
#include "DataDialogsTest.moc"
