// The report viewer and the Results Summary window as a user drives them: find with its keys,
// wrapping and "not found", the jump to a table, the chosen settlement and load, copy and PDF.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "ReportHeadings.h"
#include "TReportViewer.h"
#include "TResultsSummaryWindow.h"
#include "TestDesktop.h"

using namespace keldar;

namespace {

QString ExpectedReport(const char* name) {
    return qEnvironmentVariable("KELDAR_SOURCE_DIR") + QStringLiteral("/examples/expected/") +
           QLatin1String(name) + QStringLiteral(".kd3o");
}

int CursorLine(const QPlainTextEdit& page) { return page.textCursor().blockNumber(); }

bool IsPdf(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

}  // namespace

class ResultWindowsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    test::TestDesktop desktop_;

    QString WriteNotes(const QByteArray& text) {
        const QString notes = dir_.filePath(QStringLiteral("pile.kd3r"));
        QFile file(notes);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the notes");
        file.write(text);
        return notes;
    }
    // The down-drag example's report: six tip-movement cases, then two head loads.
    std::unique_ptr<TReportViewer> Viewer(const QByteArray& notes = {}) {
        auto viewer =
            std::make_unique<TReportViewer>(ExpectedReport("layered-downdrag"), WriteNotes(notes),
                                            QStringLiteral("pile"), desktop_);
        viewer->show();
        QApplication::setActiveWindow(viewer.get());
        if (!QTest::qWaitForWindowActive(viewer.get())) qFatal("viewer not active");
        return viewer;
    }
    static int HeadingLine(const TReportViewer& viewer, const QString& label) {
        for (const TReportHeading& heading : viewer.Headings())
            if (heading.label == label) return heading.line;
        return -1;
    }

  private slots:
    void init() { desktop_ = test::TestDesktop(); }

    void reportHeadingsNameEveryTable() {
        QFile file(ExpectedReport("layered-downdrag"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QStringList labels;
        for (const TReportHeading& heading : ReportHeadings(lines)) {
            labels << heading.label;
            QVERIFY(heading.line >= 0 && heading.line < lines.size());
        }
        QCOMPARE(labels, (QStringList{
                             "Date and time of the analysis", "Input", "Soil layers", "Unit weight",
                             "Soil strength", "Axial stiffness AE", "t-z curves", "Q-w curve",
                             "Pile data", "Loads at the pile head", "Soil settlement profile",
                             "Case 1: tip movement 0.01 in", "Case 2: tip movement 0.05 in",
                             "Case 3: tip movement 0.1 in", "Case 4: tip movement 0.2 in",
                             "Case 5: tip movement 0.4 in", "Case 6: tip movement 0.8 in",
                             "Load-settlement table", "Loads at the pile head: results"}));
        // A stopped run and its warning are found too.
        const QList<TReportHeading> stopped =
            ReportHeadings({"", "                             **** WARNING ****",
                            "     THE AXIAL STIFFNESS AE AT X = 0.300E+01 IS NOT ABOVE ZERO;",
                            "     THE RUN IS STOPPED WITH STATUS 12."});
        QCOMPARE(stopped.size(), 2);
        QCOMPARE(stopped[0].label,
                 QStringLiteral("Warning: the axial stiffness ae at x = 0.300e+01 is not a"));
        QCOMPARE(stopped[1].line, 3);
    }

    void findGoesOnWrapsAndSaysNotFound() {
        const auto viewer = Viewer();
        QPlainTextEdit& report = viewer->Page(TReportPage::OutputReport);
        const int first = HeadingLine(*viewer, QStringLiteral("Load-settlement table"));
        const int second = HeadingLine(*viewer, QStringLiteral("Loads at the pile head: results"));
        QTest::keyClick(viewer.get(), Qt::Key_F, Qt::ControlModifier);
        auto* field = viewer->findChild<QLineEdit*>(QStringLiteral("FindText"));
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, QStringLiteral("top movement"));  // the report writes capitals
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(CursorLine(report), first);
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(CursorLine(report), second);
        QVERIFY(viewer->FindStatus().isEmpty());
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(CursorLine(report), first);
        QCOMPARE(viewer->FindStatus(), QStringLiteral("Went on from the start"));
        QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(CursorLine(report), second);
        QCOMPARE(viewer->FindStatus(), QStringLiteral("Went on from the end"));

        field->setText(QStringLiteral("no such text"));
        QVERIFY(!viewer->FindNext());
        QCOMPARE(viewer->FindStatus(), QStringLiteral("\"no such text\" not found"));
        QCOMPARE(CursorLine(report), second);  // the last hit stays selected
        QVERIFY(desktop_.messages().isEmpty());
    }

    void headingJumpShowsTheTableAtTheTop() {
        const auto viewer = Viewer("NOT CONVERGED: case 3\n");
        viewer->ShowPage(TReportPage::RunNotes);
        auto* list = viewer->findChild<QComboBox*>(QStringLiteral("Headings"));
        QVERIFY(!list->isEnabled());  // the notes have no tables
        const int pileData = static_cast<int>(
            std::find_if(viewer->Headings().begin(), viewer->Headings().end(),
                         [](const TReportHeading& h) { return h.label == "Pile data"; }) -
            viewer->Headings().begin());
        viewer->GoToHeading(pileData);
        QCOMPARE(viewer->CurrentPage(), TReportPage::OutputReport);
        QVERIFY(list->isEnabled());
        QCOMPARE(list->currentText(), QStringLiteral("Pile data"));
        const QPlainTextEdit& report = viewer->Page(TReportPage::OutputReport);
        const QTextBlock top = report.cursorForPosition(QPoint(1, 1)).block();
        QCOMPARE(top.blockNumber(), viewer->Headings()[pileData].line);
        QVERIFY(top.text().contains(QLatin1String("PILE LENGTH")));
    }

    void pagesAreCopiedAndSavedAsPdf() {
        const auto viewer = Viewer("NOT CONVERGED: case 3\n");
        viewer->ShowPage(TReportPage::RunNotes);
        viewer->CopyClick();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("NOT CONVERGED: case 3\n"));
        desktop_.queueSave(dir_.filePath(QStringLiteral("notes.pdf")));
        viewer->SavePdfClick();
        QCOMPARE(desktop_.requests.size(), 1);
        QCOMPARE(desktop_.requests[0].fileName, QStringLiteral("Run Notes - pile.pdf"));
        QVERIFY(IsPdf(dir_.filePath(QStringLiteral("notes.pdf"))));
        // Print without a printer writes a PDF file too; a cancelled dialog writes nothing.
        desktop_.queueSave(dir_.filePath(QStringLiteral("report.pdf")));
        viewer->ShowPage(TReportPage::OutputReport);
        viewer->PrintClick();
        QVERIFY(IsPdf(dir_.filePath(QStringLiteral("report.pdf"))));
        viewer->SavePdfClick();
        QCOMPARE(desktop_.requests.size(), 3);
        QVERIFY(desktop_.messages().isEmpty());
        // A PDF that cannot be written is a failure, said in an error box with the file's name.
        const QString unwritable = dir_.filePath(QStringLiteral("no folder/report.pdf"));
        desktop_.queueSave(unwritable);
        viewer->SavePdfClick();
        QCOMPARE(desktop_.messages().size(), 1);
        QCOMPARE(desktop_.messages()[0].kind, test::TestDesktop::Kind::Error);
        QVERIFY(desktop_.messages()[0].text.contains(unwritable));
    }

    void missingFilesAreSaidInTheirPages() {
        TReportViewer viewer(dir_.filePath(QStringLiteral("none.kd3o")),
                             dir_.filePath(QStringLiteral("none.kd3r")), QStringLiteral("none"),
                             desktop_);
        QVERIFY(viewer.Headings().isEmpty());
        QVERIFY(viewer.Page(TReportPage::OutputReport)
                    .placeholderText()
                    .startsWith(QLatin1String("The output report \"")));
        QVERIFY(viewer.Page(TReportPage::RunNotes).placeholderText().contains("cannot be read"));
    }

    void summaryFollowsTheChosenSettlementAndLoad() {
        // Two cases on a line through the origin, 1000 kN per 0.02 m; one head load.
        RunResults r;
        r.unitSystem = 2;
        r.input.read = true;
        r.input.diameter = 0.5f;
        r.pileFlexibility = 1e-5f;
        r.loadSettlement = {{500.0f, 0.01f, 0.005f, 100.0f}, {2000.0f, 0.04f, 0.03f, 400.0f}};
        r.loadControlled = {{1000.0f, 0.02f, 0.01f, 200.0f}};
        TResultsSummaryWindow window(r, QStringLiteral("pile"), desktop_);
        window.show();
        auto* settlement = window.findChild<QLineEdit*>(QStringLiteral("ChosenSettlement"));
        auto* load = window.findChild<QLineEdit*>(QStringLiteral("ChosenLoad"));
        // The defaults: 25 mm and the first head load.
        QCOMPARE(window.Summary().chosenSettlement, 0.025f);
        QCOMPARE(load->text(), QStringLiteral("1000"));
        QVERIFY(window.Text().contains(
            QLatin1String("  Load at a settlement of 0.02500 m                     1250 kN")));

        settlement->setFocus();
        settlement->selectAll();
        QTest::keyClicks(settlement, QStringLiteral("30/1000"));  // entries may be expressions
        QTest::keyClick(settlement, Qt::Key_Return);
        QTRY_COMPARE(window.Summary().chosenSettlement, 0.03f);
        QCOMPARE(window.Summary().loadAtChosenSettlement, 1500.0f);
        QVERIFY(window.Text().contains(QLatin1String("Load at a settlement of 0.03000 m")));

        load->setFocus();
        load->selectAll();
        QTest::keyClicks(load, QStringLiteral("abc"));
        QTest::keyClick(load, Qt::Key_Return);
        QCOMPARE(desktop_.messages().size(), 1);  // the field's own message
        QTest::qWait(10);
        QCOMPARE(window.Summary().chosenLoad, 1000.0f);  // a rejected entry changes nothing

        // A measured load test is read at the chosen settlement too: 0.03 m lies a third of the
        // way from 0.02 m (800 kN) to 0.05 m (1600 kN).
        window.SetMeasured({{0.0f, 0.0f}, {0.02f, 800.0f}, {0.05f, 1600.0f}});
        QVERIFY(window.Text().contains(QLatin1String("Measured load test beside the computed")));
        QVERIFY(window.Text().contains(
            QRegularExpression(QStringLiteral("Load at a settlement of 0.03000 m +1500 +1067\n"))));

        window.CopyClick();
        QCOMPARE(QApplication::clipboard()->text(), window.Text() + QLatin1Char('\n'));
        desktop_.queueSave(dir_.filePath(QStringLiteral("summary.pdf")));
        window.SavePdfClick();
        QCOMPARE(desktop_.requests.size(), 1);
        QCOMPARE(desktop_.requests[0].fileName, QStringLiteral("Results Summary - pile.pdf"));
        QVERIFY(IsPdf(dir_.filePath(QStringLiteral("summary.pdf"))));
    }
};

QTEST_MAIN(ResultWindowsTest)
#include "ResultWindowsTest.moc"
