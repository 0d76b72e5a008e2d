#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <clocale>

#include "EntryErrors.h"
#include "TDataEdit.h"
#include "TestDesktop.h"

using keldar::TDataEdit;
using keldar::test::TestDesktop;

class TDataEditTest : public QObject {
    Q_OBJECT

  private:
    // The one error message shown since the last call, or a marker when there was not exactly one.
    QString takeError() {
        const auto messages = messages_.messages();
        messages_.clear();
        if (messages.size() != 1 || messages[0].kind != TestDesktop::Kind::Error) {
            return QStringLiteral("<%1 messages>").arg(messages.size());
        }
        return messages[0].text;
    }

    // Shows the form and makes it the active window, so that focus changes reach its fields.
    static bool activate(QWidget& form) {
        form.show();
        QApplication::setActiveWindow(&form);
        return QTest::qWaitForWindowActive(&form);
    }

    TestDesktop messages_;

  private slots:
    void init() { messages_.clear(); }

    // clang-format off
    void exitValidation_data() {
        QTest::addColumn<bool>("integerOnly");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("textAfter");
        QTest::newRow("expression") << false << "3*4" << true << "" << "12";
        QTest::newRow("below") << false << "5" << false << "Entry must be greater than or equal to 10" << "10";
        QTest::newRow("above") << false << "600" << false << "Entry must be less than or equal to 500" << "500";
        QTest::newRow("not whole") << true << "2.5" << false << "Entry must be an integer." << "2.5";
        QTest::newRow("not integer") << true << "abc" << false << "Entry must be a valid integer." << "abc";
        QTest::newRow("whole") << true << "7/2*4" << true << "" << "14";
        QTest::newRow("evaluator") << false << "2+3)" << false
                                   << "Entry could not be evaluated:\r() (parentheses) do not match" << "2+3)";
        QTest::newRow("zero divide") << false << "1/0" << false
                                     << "Entry could not be evaluated:\rdivision by zero" << "1/0";
    }
    // clang-format on

    void exitValidation() {
        QFETCH(bool, integerOnly);
        QFETCH(QString, entry);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        QFETCH(QString, textAfter);

        TDataEdit edit(messages_);
        edit.SetIntegerOnly(integerOnly);
        edit.SetMinVal(10);
        edit.SetMaxVal(500);
        edit.SetNumber(50);
        edit.setText(entry);
        QSignalSpy exits(&edit, &TDataEdit::OnExit);

        QCOMPARE(edit.Validate(), accepted);
        QCOMPARE(exits.count(), 1);
        if (accepted) {
            QCOMPARE(messages_.messages().size(), 0);
        } else {
            QCOMPARE(takeError(), message);
        }
        QCOMPARE(edit.text(), textAfter);
    }

    void leavingTheFieldRewritesOrKeepsTheFocus() {
        QWidget form;
        auto* layout = new QVBoxLayout(&form);
        auto* edit = new TDataEdit(messages_, &form);
        auto* other = new TDataEdit(messages_, &form);
        layout->addWidget(edit);
        layout->addWidget(other);
        edit->SetMinVal(10);
        QVERIFY(activate(form));

        edit->setFocus(Qt::OtherFocusReason);
        edit->setText(QStringLiteral("3*4"));
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QCOMPARE(messages_.messages().size(), 0);
        QVERIFY(other->hasFocus());

        edit->setFocus(Qt::OtherFocusReason);
        edit->setText(QStringLiteral("5"));
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(takeError(), QStringLiteral("Entry must be greater than or equal to 10"));
        QCOMPARE(edit->text(), QStringLiteral("10"));
        QVERIFY(edit->hasFocus());
    }

    void enterValidatesAndOperatorsExtendTheValue() {
        QWidget form;
        auto* edit = new TDataEdit(messages_, &form);
        QVERIFY(activate(form));
        edit->setFocus();

        edit->setText(QStringLiteral("3*4"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QCOMPARE(edit->selectedText(), QStringLiteral("12"));

        QTest::keyClicks(edit, QStringLiteral("*2"));
        QCOMPARE(edit->text(), QStringLiteral("12*2"));
        QTest::keyClick(edit, Qt::Key_Enter);
        QCOMPARE(edit->text(), QStringLiteral("24"));

        // A digit typed over the selection replaces the value.
        QTest::keyClicks(edit, QStringLiteral("7"));
        QCOMPARE(edit->text(), QStringLiteral("7"));

        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("!"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("5040"));
        QCOMPARE(messages_.messages().size(), 0);
    }

    void limitAdjustments() {
        TDataEdit edit(messages_);
        QCOMPARE(edit.text(), QStringLiteral("0"));
        QCOMPARE(edit.ValueText(edit.MaxVal()), QStringLiteral("1.1897315E4932"));
        QCOMPARE(edit.MinVal(), -TDataEdit::DefaultMaxVal());
        edit.SetNumber(100);
        edit.SetMaxVal(50);  // the value follows the new maximum
        QCOMPARE(edit.text(), QStringLiteral("50"));
        edit.SetMinVal(60);  // never above the maximum
        QCOMPARE(edit.MinVal(), 50.0L);
        edit.SetMinVal(-1e12L);
        edit.SetMaxVal(1e12L);
        edit.SetNumber(1e13L);  // clamped
        QCOMPARE(edit.text(), QStringLiteral("1E12"));
        edit.SetIntegerOnly(true);  // limits fall into the 32-bit range
        QCOMPARE(edit.MaxVal(), 2147483647.0L);
        QCOMPARE(edit.MinVal(), -2147483648.0L);
        QCOMPARE(edit.text(), QStringLiteral("2147483647"));

        // A value that does not evaluate is left for the exit validation to answer.
        edit.setText(QStringLiteral("abc"));
        edit.SetMaxVal(10);
        QCOMPARE(edit.text(), QStringLiteral("abc"));
        QVERIFY_THROWS_EXCEPTION(keldar::EAssignError, edit.Number());
    }

    // A value shows in 8 significant digits from its first character; the field keeps the full
    // value behind that text until the user edits it.
    void valueShownShortFromItsStart() {
        TDataEdit edit(messages_);
        edit.resize(edit.fontMetrics().averageCharWidth() * 4, edit.height());
        const long double converted = 900.0L / 39.37007874L;
        edit.SetNumber(converted);
        QCOMPARE(edit.text(), QStringLiteral("22.86"));
        QCOMPARE(edit.cursorPosition(), 0);
        QCOMPARE(edit.Number(), converted);
        QVERIFY(edit.Validate());
        QCOMPARE(edit.Number(), converted);
        edit.SetNumber(-1.234567891e-7L);
        QCOMPARE(edit.text(), QStringLiteral("-1.2345679E-7"));
        QCOMPARE(edit.cursorPosition(), 0);

        edit.setText(QStringLiteral("22.860"));  // edited: the value typed
        QCOMPARE(edit.Number(), 22.86L);
        edit.setText(QStringLiteral("22.86"));
        QCOMPARE(edit.Number(), 22.86L);
        QVERIFY(edit.Validate());
        QCOMPARE(edit.text(), QStringLiteral("22.86"));
    }

    // Alt+letter is an access key: with no command to take it, the entry stays as typed.
    void accessKeysNeverTypeIntoTheField() {
        QWidget form;
        auto* edit = new TDataEdit(messages_, &form);
        QVERIFY(activate(form));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("abc"));
        QTest::keyClick(edit, Qt::Key_D, Qt::AltModifier);
        QTest::keyClick(edit, Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::MetaModifier);
        QCOMPARE(edit->text(), QStringLiteral("abc"));
        QTest::keyClicks(edit, QStringLiteral("d"));
        QCOMPARE(edit->text(), QStringLiteral("abcd"));
    }

    void hex() {
        TDataEdit edit(messages_);
        edit.SetHex(true);
        edit.SetNumber(255);
        QCOMPARE(edit.text(), QStringLiteral("$00FF"));
        edit.setText(QStringLiteral("$10"));
        QCOMPARE(edit.Number(), 16.0L);
        QVERIFY(edit.Validate());
        QCOMPARE(edit.text(), QStringLiteral("$0010"));
        edit.SetNumber(-1);  // two's complement, and it reads back
        QCOMPARE(edit.text(), QStringLiteral("$FFFFFFFFFFFFFFFF"));
        QCOMPARE(edit.Number(), -1.0L);
        edit.SetHex(false);
        QCOMPARE(edit.text(), QStringLiteral("-1"));
    }

    void label_data() {
        QTest::addColumn<QString>("units");
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << "L" << 1 << "Pile Length (in)";
        QTest::newRow("S.I.") << "L" << 2 << "Pile Length (m)";
        QTest::newRow("7 is 3") << "L" << 7 << "Pile Length (L)";
        QTest::newRow("no unit") << "" << 2 << "Pile Length";
        QTest::newRow("area") << QStringLiteral("L\u00B2") << 2
                              << QStringLiteral("Pile Length (m\u00B2)");
    }

    void label() {
        QFETCH(QString, units);
        QFETCH(int, system);
        QFETCH(QString, text);
        QLabel caption;
        TDataEdit edit(messages_);
        edit.SetEditLabel(&caption);
        edit.SetCaption(QStringLiteral("Pile Length"));
        edit.SetUnitsString(units);
        edit.SetUnits(system);
        QCOMPARE(caption.text(), text);
        QCOMPARE(caption.buddy(), &edit);
        QCOMPARE(edit.Units(), qBound(1, system, 3));
    }

    void labelFollowsTheEnabledState() {
        QWidget form;
        auto* caption = new QLabel(&form);
        auto* edit = new TDataEdit(messages_, &form);
        edit->SetEditLabel(caption);
        edit->setEnabled(false);
        QVERIFY(!caption->isEnabled());
        edit->setEnabled(true);
        QVERIFY(caption->isEnabled());
        delete caption;  // a field outlives its label safely
        edit->SetCaption(QStringLiteral("Pile Length"));
        QCOMPARE(edit->EditLabel(), nullptr);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TDataEditTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TDataEditTest.moc"
