#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "THelpWindow.h"

using namespace keldar;

class HelpWindowTest : public QObject {
    Q_OBJECT

  private:
    // The texts of the document's headings of the given level, in order.
    static QStringList headings(const QTextDocument& document, int level) {
        QStringList found;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() == level) found.append(block.text());
        }
        return found;
    }

  private slots:
    void eachDocumentOpensWithItsHeadings_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("section");
        QTest::newRow("contents") << int(HelpPage::Contents) << "KELDAR Help"
                                  << "Documents";
        QTest::newRow("guide") << int(HelpPage::UsersManual) << "KELDAR User's Guide"
                               << "Your first project";
        QTest::newRow("manual") << int(HelpPage::TechnicalManual) << "KELDAR Technical Manual"
                                << "Verification";
    }

    void eachDocumentOpensWithItsHeadings() {
        QFETCH(int, page);
        QFETCH(QString, title);
        QFETCH(QString, section);
        QPointer<THelpWindow> window;
        OpenHelpWindow(window, static_cast<HelpPage>(page));
        QVERIFY(window->isVisible());
        const QTextDocument& document = *window->Browser()->document();
        QCOMPARE(window->Browser()->source(), THelpWindow::PageUrl(static_cast<HelpPage>(page)));
        QCOMPARE(headings(document, 1), QStringList{title});
        QVERIFY2(headings(document, 2).contains(section), qPrintable(section));
        // Markdown is rendered, not shown as text.
        QVERIFY(!document.toPlainText().contains(QStringLiteral("## ")));
        delete window;
    }

    void oneWindowFollowsTheLinksBetweenDocuments() {
        QPointer<THelpWindow> window;
        THelpWindow* first = OpenHelpWindow(window, HelpPage::Contents);
        QCOMPARE(OpenHelpWindow(window, HelpPage::TechnicalManual), first);
        QCOMPARE(headings(*first->Browser()->document(), 1),
                 QStringList{"KELDAR Technical Manual"});

        // The first link of the contents, followed from the keyboard.
        first->ShowPage(HelpPage::Contents);
        QTextBrowser* browser = first->Browser();
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(first->Browser()->source(), THelpWindow::PageUrl(HelpPage::UsersManual));
        QCOMPARE(headings(*first->Browser()->document(), 1), QStringList{"KELDAR User's Guide"});
        first->Browser()->backward();
        QCOMPARE(headings(*first->Browser()->document(), 1), QStringList{"KELDAR Help"});

        first->close();  // deleted on closing
        QTRY_VERIFY(window.isNull());
        QVERIFY(OpenHelpWindow(window, HelpPage::Contents) != nullptr);
        delete window;
    }

    void guidePicturesAreBuiltIn() {
        // Every picture the guide shows must be in the program, or the reader sees a gap.
        QPointer<THelpWindow> window;
        OpenHelpWindow(window, HelpPage::UsersManual);
        const QString markdown = window->Browser()->document()->toMarkdown();
        QRegularExpression image(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)"));
        int pictures = 0;
        for (auto match = image.globalMatch(markdown); match.hasNext(); ++pictures) {
            const QString file = match.next().captured(1);
            QVERIFY2(QFile::exists(QStringLiteral(":/docs/") + file), qPrintable(file));
        }
        QVERIFY(pictures >= 4);
        delete window;
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
