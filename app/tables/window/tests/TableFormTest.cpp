// The table editors driven as a user drives them, in a small MDI host window.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

#include "TableChartForm.h"
#include "TableDeclarations.h"
#include "TableEditors.h"
#include "TestDesktop.h"

using namespace keldar;

class TableFormTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void rowButtonsFollowTheRowLimits();
    void theHelpPictureFitsANarrowWindow();
    void twentyFiveRowsShowTenAndAddScrollsToTheNewRow();
    void aResizedWindowSnapsToWholeRows();
    void anExpressionShowsItsValueOnLeavingTheCell();
    void aRejectedEntryKeepsTheWindowOpen();
    void anAccessKeyNeverTypesIntoACell();
    void anOpenedCellShowsTheStartOfItsEntry();
    void closingTheProgramAsksAboutARejectedEntry();
    void enterMovesDownThenToTheNextColumn();
    void aSelectedRangeIsCopiedAsTabSeparatedText();
    void readingASampleFile();
    void pastingSpreadsheetText();
    void aFlatSettlementProfileShowsTenPercentEachWay();
    void modificationFactorsShowTwoSeriesWithALegend();
    void changingASoilTypeReplacesTheLayerData();
    void subTableEditorsCloseWithTheirOwner();
    void openingTwiceRaisesTheSameEditor();
    void cellsRefuseWhatTheAnalysisCannotUse();

  private:
    TTableForm* Open(TGridTable& table);
    TTableChartForm* Open(TGridTableChart& table);
    QLineEdit* TypeInto(TTableForm* form, int row, int column, const QString& text);
    static QMdiSubWindow* WindowOf(QWidget* form) {
        return qobject_cast<QMdiSubWindow*>(form->parentWidget());
    }

    std::unique_ptr<QMainWindow> host_;
    QMdiArea* area_ = nullptr;
    std::unique_ptr<TMainTables> tables_;
    keldar::test::TestDesktop desktop_;
};

void TableFormTest::init() {
    tables_ = std::make_unique<TMainTables>(TMainTables::BuiltIn());
    host_ = std::make_unique<QMainWindow>();
    area_ = new QMdiArea;
    host_->setCentralWidget(area_);
    host_->resize(1200, 900);
    host_->show();
    QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
    desktop_ = keldar::test::TestDesktop();
}

void TableFormTest::cleanup() {
    // Tables go first: their editors close without asking.
    tables_.reset();
    QCoreApplication::processEvents();
    host_.reset();
}

TTableForm* TableFormTest::Open(TGridTable& table) {
    auto* form = qobject_cast<TTableForm*>(OpenTableEditor(area_, table, desktop_));
    QCoreApplication::processEvents();
    return form;
}

TTableChartForm* TableFormTest::Open(TGridTableChart& table) {
    auto* form = qobject_cast<TTableChartForm*>(OpenTableEditor(area_, table, desktop_));
    QCoreApplication::processEvents();
    return form;
}

QLineEdit* TableFormTest::TypeInto(TTableForm* form, int row, int column, const QString& text) {
    TTableGrid* grid = form->Grid();
    const QModelIndex cell = grid->model()->index(row, column);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    if (!editor) return nullptr;
    editor->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}

// The layer data's picture is drawn whole inside its window, scaled down when the window is
// narrower than the picture, never cut off.
void TableFormTest::theHelpPictureFitsANarrowWindow() {
    TTableForm* layer = Open(tables_->Chart("tblDataClay2"));
    QVERIFY(layer);
    THelpPictureLabel* help = layer->HelpImage();
    QVERIFY(help->isVisible());
    for (const int width : {900, 220}) {
        WindowOf(layer)->resize(width, WindowOf(layer)->height());
        QCoreApplication::processEvents();
        const QSizeF picture = help->pixmap().deviceIndependentSize();
        QVERIFY(help->geometry().right() <= layer->width());
        QVERIFY(picture.width() <= help->width());
        QVERIFY(picture.width() <= 300);
        QVERIFY(std::abs(picture.height() / picture.width() - 110.0 / 300) < 0.02);
        if (width == 900) QCOMPARE(picture.width(), 300.0);
        if (width == 220) QVERIFY(picture.width() < 220);
    }
}

void TableFormTest::rowButtonsFollowTheRowLimits() {
    // The layer data always have a top and a bottom row: no row buttons at all.
    TTableForm* layer = Open(tables_->Chart("tblDataClay2"));
    QVERIFY(layer);
    QVERIFY(!layer->AddButton()->isVisible());
    QVERIFY(!layer->DeleteButton()->isVisible());

    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetMinRows(2);
    loads.SetMaxRows(4);
    TTableForm* form = Open(loads);
    QCOMPARE(loads.RowCount(), 2);
    QVERIFY(form->AddButton()->isVisible());
    QVERIFY(!form->DeleteButton()->isEnabled());
    QTest::mouseClick(form->AddButton(), Qt::LeftButton);
    QVERIFY(form->DeleteButton()->isEnabled());
    form->Grid()->setCurrentIndex(form->Grid()->model()->index(0, 0));
    QTest::mouseClick(form->InsertButton(), Qt::LeftButton);
    QCOMPARE(loads.RowCount(), 4);
    QVERIFY(!form->AddButton()->isEnabled());
    QVERIFY(!form->InsertButton()->isEnabled());
    QTest::mouseClick(form->DeleteButton(), Qt::LeftButton);
    QTest::mouseClick(form->DeleteButton(), Qt::LeftButton);
    QCOMPARE(loads.RowCount(), 2);
    QVERIFY(!form->DeleteButton()->isEnabled());
    QVERIFY(form->AddButton()->isEnabled());
    QVERIFY(loads.IsChanged());
}

void TableFormTest::twentyFiveRowsShowTenAndAddScrollsToTheNewRow() {
    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetRowCount(3);
    TTableForm* small = Open(loads);
    QCOMPARE(small->RowsShown(), 3);
    const int heightOfThree = WindowOf(small)->height();
    QTest::mouseClick(small->AddButton(), Qt::LeftButton);
    QCOMPARE(small->RowsShown(), 4);
    QVERIFY(WindowOf(small)->height() > heightOfThree);
    WindowOf(small)->close();
    QCoreApplication::processEvents();

    loads.SetRowCount(25);
    TTableForm* form = Open(loads);
    QCOMPARE(form->RowsShown(), 10);
    QScrollBar* bar = form->Grid()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QTest::mouseClick(form->AddButton(), Qt::LeftButton);
    QCOMPARE(loads.RowCount(), 26);
    QCOMPARE(form->RowsShown(), 10);
    QCOMPARE(bar->value(), 16);
    // The new last row is the bottom row in sight.
    QTRY_VERIFY(form->Grid()->rowViewportPosition(25) >= 0);
    QVERIFY(form->Grid()->rowViewportPosition(25) + form->Grid()->rowHeight(25) <=
            form->Grid()->viewport()->height());
}

void TableFormTest::aResizedWindowSnapsToWholeRows() {
    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetRowCount(25);
    TTableForm* form = Open(loads);
    QMdiSubWindow* window = WindowOf(form);
    const QSize full = window->size();
    const int row = form->Grid()->rowHeight(0);
    // Dragged up by three rows and a bit: six whole rows remain.
    window->resize(full.width(), full.height() - 3 * row - 5);
    QTRY_COMPARE(form->RowsShown(), 6);
    QTRY_COMPARE(window->height(), full.height() - 4 * row);
    QCOMPARE(window->width(), full.width());
    // Dragged down by two rows: two more rows come into sight.
    window->resize(full.width(), full.height() + 2 * row);
    QTRY_COMPARE(form->RowsShown(), 12);
}

void TableFormTest::anExpressionShowsItsValueOnLeavingTheCell() {
    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetRowCount(2);
    TTableForm* form = Open(loads);
    QLineEdit* editor = TypeInto(form, 0, 0, QStringLiteral("2*3"));
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Down);
    QCoreApplication::processEvents();
    QCOMPARE(double(loads.Cell(0, 0).GetFloat()), 6.0);
    QCOMPARE(form->Grid()->model()->index(0, 0).data().toString(), QStringLiteral("6"));
    QCOMPARE(form->Grid()->currentIndex().row(), 1);
    QVERIFY(desktop_.messages().isEmpty());
}

void TableFormTest::aRejectedEntryKeepsTheWindowOpen() {
    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetRowCount(2);
    loads.Cell(0, 0).SetFloat(100);
    TTableForm* form = Open(loads);
    QPointer<QMdiSubWindow> window = WindowOf(form);
    TypeInto(form, 0, 0, QStringLiteral("2*"));
    QVERIFY(!window->close());
    QCoreApplication::processEvents();
    QVERIFY(window);
    QCOMPARE(desktop_.messages().size(), 1);
    QCOMPARE(desktop_.messages().first().kind, keldar::test::TestDesktop::Kind::Error);
    QVERIFY(desktop_.messages().first().text.startsWith("Entry could not be evaluated:"));
    // The table keeps its last good value; the cell keeps the entry for correction.
    QCOMPARE(double(loads.Cell(0, 0).GetFloat()), 100.0);
    QCOMPARE(form->Grid()->currentIndex().row(), 0);
    auto* editor = form->Grid()->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("2*"));
    // Moving away is refused as well.
    QTest::keyClick(editor, Qt::Key_Down);
    QCoreApplication::processEvents();
    QCOMPARE(desktop_.messages().size(), 2);
    QCOMPARE(form->Grid()->currentIndex().row(), 0);

    editor = form->Grid()->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("2*4"));
    QVERIFY(window->close());
    QCOMPARE(double(loads.Cell(0, 0).GetFloat()), 8.0);
    QCOMPARE(desktop_.messages().size(), 2);
}

// Alt+letter belongs to the menus: with no command to take it, the cell keeps its entry.
void TableFormTest::anAccessKeyNeverTypesIntoACell() {
    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetRowCount(2);
    TTableForm* form = Open(loads);
    QLineEdit* editor = TypeInto(form, 0, 0, QStringLiteral("abc"));
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_D, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_X, Qt::MetaModifier);
    QCOMPARE(editor->text(), QStringLiteral("abc"));
    QCOMPARE(form->Grid()->currentIndex().row(), 0);
}

// An opened cell shows its entry from the first character, all of it selected for typing over.
void TableFormTest::anOpenedCellShowsTheStartOfItsEntry() {
    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetRowCount(2);
    loads.Cell(0, 0).SetFloat(-1.2345678e-10);
    TTableForm* form = Open(loads);
    form->Grid()->setColumnWidth(0, form->Grid()->fontMetrics().averageCharWidth() * 4);
    const QModelIndex cell = form->Grid()->model()->index(0, 0);
    form->Grid()->setCurrentIndex(cell);
    form->Grid()->edit(cell);
    auto* editor = form->Grid()->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("-1.2345678E-10"));
    QTRY_COMPARE(editor->cursorPosition(), 0);
    QCOMPARE(editor->selectedText(), editor->text());
    QTest::keyClicks(editor, QStringLiteral("5"));
    QCOMPARE(editor->text(), QStringLiteral("5"));
}

void TableFormTest::closingTheProgramAsksAboutARejectedEntry() {
    TGridTable& loads = tables_->Plain("TblTopload");
    loads.SetRowCount(2);
    TTableForm* form = Open(loads);
    TypeInto(form, 1, 0, QStringLiteral("abc"));
    QVERIFY(QueryCloseTableEditors(area_, desktop_) == false);  // no answer queued: No
    QCOMPARE(desktop_.messages().last().kind, keldar::test::TestDesktop::Kind::Confirm);
    QVERIFY(desktop_.messages().last().text.contains("\"abc\" in row 2 of \"Pile-Head Loads\""));
    QVERIFY(form->HasRejectedEntry());
    desktop_.queueAnswer(UserMessages::Answer::Yes);
    QVERIFY(QueryCloseTableEditors(area_, desktop_));
    QVERIFY(!form->HasRejectedEntry());
    QCOMPARE(double(loads.Cell(0, 1).GetFloat()), 0.0);
    area_->closeAllSubWindows();
    QCoreApplication::processEvents();
    QVERIFY(area_->subWindowList().isEmpty());
}

void TableFormTest::enterMovesDownThenToTheNextColumn() {
    TGridTableChart& profile = tables_->Chart("TblSettlement2");
    TTableChartForm* form = Open(profile);
    QCOMPARE(profile.RowCount(), 2);
    QLineEdit* editor = TypeInto(form, 1, 0, QStringLiteral("12.5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(double(profile.Cell(0, 1).GetFloat()), 12.5);
    QCOMPARE(form->Grid()->currentIndex(), form->Grid()->model()->index(0, 1));
    // From the last row of the last column back to the top of the first.
    form->Grid()->setCurrentIndex(form->Grid()->model()->index(1, 1));
    QTest::keyClick(form->Grid(), Qt::Key_Return);
    QCOMPARE(form->Grid()->currentIndex(), form->Grid()->model()->index(0, 0));
}

void TableFormTest::aSelectedRangeIsCopiedAsTabSeparatedText() {
    TGridTableChart& factors = tables_->Chart("TblTZFactors2");
    factors.SetRowCount(3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) factors.Cell(c, r).SetFloat(r * 10 + c + 0.5L);
    TTableChartForm* form = Open(factors);
    QAbstractItemModel* cells = form->Grid()->model();
    form->Grid()->selectionModel()->select(QItemSelection(cells->index(1, 1), cells->index(2, 2)),
                                           QItemSelectionModel::Select);
    QCOMPARE(form->Grid()->SelectionText(), QStringLiteral("11.5\t12.5\n21.5\t22.5\n"));
}

void TableFormTest::readingASampleFile() {
    TGridTableChart& curve = tables_->Chart("TblTZCurves2");
    curve.SetRowCount(8);
    TTableChartForm* form = Open(curve);
    QVERIFY(form->FileControls()->isVisible());
    QVERIFY(!form->ReadButton()->isEnabled());
    form->FileNameEdit()->setText(QString::fromLocal8Bit(qgetenv("KELDAR_SOURCE_DIR")) +
                                  "/app/tables/window/tests/data/tz-curve.txt");
    QVERIFY(form->ReadButton()->isEnabled());
    QTest::mouseClick(form->ReadButton(), Qt::LeftButton);
    QVERIFY(desktop_.messages().isEmpty());
    QCOMPARE(curve.RowCount(), 5);
    QCOMPARE(curve.Cell(0, 2).GetText(), std::string("4.1"));
    QCOMPARE(curve.Cell(1, 4).GetText(), std::string("0.5"));
    QCOMPARE(form->Grid()->model()->rowCount(), 5);
    QCOMPARE(form->RowsShown(), 5);
    QTRY_COMPARE(form->Series1()->count(), 5);
}

void TableFormTest::pastingSpreadsheetText() {
    TGridTableChart& curve = tables_->Chart("TblQwcurve2");
    TTableChartForm* form = Open(curve);
    QApplication::clipboard()->clear();
    QTest::mouseClick(form->ClipboardButton(), Qt::LeftButton);
    QCOMPARE(desktop_.messages().last().text, QStringLiteral("There is no text on the Clipboard"));

    // Tabs, CR LF, and no line break after the last line.
    QApplication::clipboard()->setText(QStringLiteral("0\t0\r\n150\t0.05\r\n300\t0.4"));
    QTest::mouseClick(form->ClipboardButton(), Qt::LeftButton);
    QCOMPARE(curve.RowCount(), 3);
    QCOMPARE(curve.Cell(0, 2).GetText(), std::string("300"));
    QCOMPARE(curve.Cell(1, 2).GetText(), std::string("0.4"));

    // The same block from a spreadsheet with decimal commas stores nothing.
    desktop_.clear();
    QApplication::clipboard()->setText(QStringLiteral("0\t0\r\n150\t0,05\r\n300\t0,4\r\n"));
    QTest::mouseClick(form->ClipboardButton(), Qt::LeftButton);
    QCOMPARE(desktop_.messages().size(), 1);
    QCOMPARE(
        desktop_.messages().first().text,
        QStringLiteral("Line 2: 0,05 has a decimal comma; numbers must have a decimal point."));
    QCOMPARE(curve.RowCount(), 3);
    QCOMPARE(curve.Cell(1, 1).GetText(), std::string("0.05"));
}

void TableFormTest::aFlatSettlementProfileShowsTenPercentEachWay() {
    TGridTableChart& profile = tables_->Chart("TblSettlement2");
    profile.SetRowCount(3);
    for (int r = 0; r < 3; ++r) {
        profile.Cell(0, r).SetFloat(r * 10);
        profile.Cell(1, r).SetFloat(0.5);
    }
    TTableChartForm* form = Open(profile);
    QVERIFY(qAbs(form->LeftAxis()->min() - 0.45) < 1e-9);
    QVERIFY(qAbs(form->LeftAxis()->max() - 0.55) < 1e-9);
    QCOMPARE(form->LeftAxis()->titleText(), QStringLiteral("Settlement, (in)"));
    QCOMPARE(form->BottomAxis()->titleText(), QStringLiteral("Depth, (in)"));
    QVERIFY(!form->Chart()->legend()->isVisible());

    // Once the values differ the axis ranges by itself again.
    profile.Cell(1, 2).SetFloat(2);
    QTRY_VERIFY(form->LeftAxis()->max() >= 2.0);
    QVERIFY(form->LeftAxis()->min() <= 0.5);
}

void TableFormTest::modificationFactorsShowTwoSeriesWithALegend() {
    TGridTableChart& factors = tables_->Chart("TblTZFactors2");
    factors.SetRowCount(2);
    factors.Cell(1, 0).SetFloat(1);
    factors.Cell(2, 0).SetFloat(0.5);
    factors.Cell(0, 1).SetFloat(40);
    factors.Cell(1, 1).SetFloat(0.8);
    factors.Cell(2, 1).SetFloat(1.2);
    TTableChartForm* form = Open(factors);
    QVERIFY(form->Chart()->series().contains(form->Series2()));
    QVERIFY(form->Chart()->legend()->isVisible());
    QCOMPARE(form->Series1()->name(), QStringLiteral("t-Multiplier"));
    QCOMPARE(form->Series2()->name(), QStringLiteral("z-Multiplier"));
    QCOMPARE(form->Series2()->at(1), QPointF(40, 1.2));
    QVERIFY(form->LeftAxis()->max() >= 1.2);
    QCOMPARE(form->RowsShown(), 2);
}

void TableFormTest::changingASoilTypeReplacesTheLayerData() {
    TGridTableChart& layers = tables_->Chart("D2");
    layers.SetRowCount(1);
    TGridTable* clay = layers.Cell(2, 0).GetTable();
    QVERIFY(clay);
    QCOMPARE(clay->Caption(), std::string("Clay Layer Data"));
    clay->Cell(0, 1).SetFloat(0.07L);
    TTableChartForm* form = Open(layers);
    auto* button =
        qobject_cast<QPushButton*>(form->Grid()->indexWidget(form->Grid()->model()->index(0, 2)));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("1: Clay Layer Data"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(area_->subWindowList().size(), 2);
    QPointer<QWidget> clayEditor = area_->subWindowList().last();
    QCOMPARE(clayEditor->windowTitle(), QStringLiteral("Clay Layer Data  1"));

    auto* list =
        qobject_cast<QComboBox*>(form->Grid()->indexWidget(form->Grid()->model()->index(0, 0)));
    QVERIFY(list);
    list->setCurrentIndex(1);
    emit list->activated(1);
    QCoreApplication::processEvents();
    TGridTable* sand = layers.Cell(2, 0).GetTable();
    QCOMPARE(sand->Caption(), std::string("Sand Layer Data"));
    QCOMPARE(double(sand->Cell(0, 1).GetFloat()), 0.07);
    QCOMPARE(button->text(), QStringLiteral("1: Sand Layer Data"));
    // The editor of the replaced layer data is gone with it.
    QTRY_VERIFY(!clayEditor);
}

void TableFormTest::subTableEditorsCloseWithTheirOwner() {
    TGridTableChart& depths = tables_->Chart("TblTZDepth2");
    TTableChartForm* form = Open(depths);
    QCOMPARE(depths.RowCount(), 2);
    auto* second =
        qobject_cast<QPushButton*>(form->Grid()->indexWidget(form->Grid()->model()->index(1, 1)));
    QTest::mouseClick(second, Qt::LeftButton);
    QCOMPARE(area_->subWindowList().size(), 2);
    auto* curveForm = qobject_cast<TTableChartForm*>(area_->subWindowList().last()->widget());
    QVERIFY(curveForm);
    QCOMPARE(curveForm->windowTitle(), QStringLiteral("t-z curve  2"));
    QVERIFY(!curveForm->IsModalEditor());

    // A rejected entry in the sub-table's editor keeps both open.
    TypeInto(curveForm, 0, 0, QStringLiteral("1/0"));
    QVERIFY(!WindowOf(form)->close());
    QCoreApplication::processEvents();
    QCOMPARE(area_->subWindowList().size(), 2);
    QVERIFY(desktop_.messages().last().text.contains("Entry could not be evaluated"));

    auto* editor = curveForm->Grid()->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!curveForm->HasRejectedEntry());
    QVERIFY(WindowOf(form)->close());
    QTRY_COMPARE(area_->subWindowList().size(), 0);
    QVERIFY(!depths.Editor());
}

void TableFormTest::openingTwiceRaisesTheSameEditor() {
    TGridTable& moves = tables_->Plain("TblTipMove");
    QWidget* first = OpenTableEditor(area_, moves, desktop_);
    QWidget* second = OpenTableEditor(area_, moves, desktop_);
    QCOMPARE(first, second);
    QCOMPARE(area_->subWindowList().size(), 1);
    QCOMPARE(first->windowTitle(), QStringLiteral("Tip Movements "));
}

// Values that stop the analysis or make no sense to it are refused in the cell, with the cell's
// kind of message; the table keeps its value.
void TableFormTest::cellsRefuseWhatTheAnalysisCannotUse() {
    struct Case {
        const char* table;
        int column;  // among the visible columns
        const char* entry;
        const char* message;
    };
    const Case cases[] = {
        {"TblTopload", 0, "-5000", "Entry must be greater than 0."},
        {"TblTopload", 0, "0", "Entry must be greater than 0."},
        {"TblAE2", 1, "0*7", "Entry must be greater than 0."},
        {"tblDataClay2", 0, "-1", "Entry must be greater than or equal to 0."},
        {"tblDataClay2", 2, "0", "Entry must be greater than 0."},  // e50
        {"tblDataSand2", 1, "90", "Entry must be less than 90."},   // friction angle
        {"tblDataSand2", 4, "-0.5", "Entry must be greater than or equal to 0."},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.table);
        TTableForm* form = nullptr;
        TGridTable* plain = nullptr;
        TGridTableChart* chart = nullptr;
        if (name == QStringLiteral("TblTopload")) {
            plain = &tables_->Plain(c.table);
            plain->SetRowCount(2);
            plain->Cell(0, 0).SetFloat(7);
            form = Open(*plain);
        } else {
            chart = &tables_->Chart(c.table);
            chart->SetRowCount(2);
            chart->VisibleColumn(c.column).SetFloat(0, 7);
            form = Open(*chart);
        }
        QLineEdit* editor = TypeInto(form, 0, c.column, QString::fromLatin1(c.entry));
        QVERIFY2(editor, c.table);
        QTest::keyClick(editor, Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(desktop_.messages().size(), 1);
        QCOMPARE(desktop_.messages().first().text, QString::fromLatin1(c.message));
        const long double kept =
            plain ? plain->Cell(0, 0).GetFloat() : chart->VisibleColumn(c.column).GetFloat(0);
        QCOMPARE(double(kept), 7.0);
        // A value the analysis can use is taken.
        editor = form->Grid()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("30"));
        QVERIFY(WindowOf(form)->close());
        QCoreApplication::processEvents();
        desktop_ = keldar::test::TestDesktop();
    }
}

QTEST_MAIN(TableFormTest)
#include "TableFormTest.moc"
