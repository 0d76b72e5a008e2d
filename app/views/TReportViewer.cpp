#include "TReportViewer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QVBoxLayout>
#include <functional>

#include "TextPrinting.h"

namespace keldar {

namespace {

QPlainTextEdit* TextPage(QWidget* parent, const char* name) {
    auto* page = new QPlainTextEdit(parent);
    page->setObjectName(QLatin1String(name));
    page->setReadOnly(true);
    // Read-only pages still show where the next search starts.
    page->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    page->setLineWrapMode(QPlainTextEdit::NoWrap);
    page->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return page;
}

// The file's text, or nothing and a line saying why (a run that could not write it).
QString FileText(const QString& fileName, const QString& what, QPlainTextEdit& page) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        page.setPlaceholderText(
            QStringLiteral("The %1 \"%2\" cannot be read.").arg(what, fileName));
        return {};
    }
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    return text;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

void AddShortcut(QWidget& window, const QKeySequence& keys, const std::function<void()>& command) {
    auto* action = new QAction(&window);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, &window, command);
    window.addAction(action);
}

}  // namespace

TReportViewer::TReportViewer(const QString& reportFile, const QString& notesFile,
                             const QString& projectName, TDesktop& desktop, QWidget* parent)
    : QWidget(parent), projectName_(projectName), desktop_(desktop) {
    setObjectName(QStringLiteral("ReportViewer"));
    setWindowTitle(QStringLiteral("Output Report - ") + projectName_);
    const QString report = CreatePages(reportFile, notesFile);
    CreateHeadingList(report);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(CreateTopBar());
    layout->addWidget(tabs_, 1);
    layout->addLayout(TextCommandButtons(
        this, {[this] { CopyClick(); }, [this] { PrintClick(); }, [this] { SavePdfClick(); }}));
}

QString TReportViewer::CreatePages(const QString& reportFile, const QString& notesFile) {
    report_ = TextPage(this, "ReportPage");
    notes_ = TextPage(this, "NotesPage");
    const QString report = FileText(reportFile, QStringLiteral("output report"), *report_);
    report_->setPlainText(report);
    notes_->setPlainText(FileText(notesFile, QStringLiteral("run notes file"), *notes_));
    if (notes_->placeholderText().isEmpty())
        notes_->setPlaceholderText(QStringLiteral("The run left no notes: nothing to check."));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Pages"));
    tabs_->addTab(report_, QStringLiteral("Output &Report"));
    tabs_->addTab(notes_, QStringLiteral("Run &Notes"));
    return report;
}

void TReportViewer::CreateHeadingList(const QString& report) {
    headings_ = ReportHeadings(report.split(QLatin1Char('\n')));
    headingList_ = new QComboBox(this);
    headingList_->setObjectName(QStringLiteral("Headings"));
    headingList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    headingList_->addItem(QStringLiteral("Go to a table..."));
    for (const TReportHeading& heading : headings_) headingList_->addItem(heading.label);
    connect(headingList_, &QComboBox::activated, this, [this](int item) {
        if (item > 0) GoToHeading(item - 1);
    });
    // The tables are the report's: the list rests while the notes are shown.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        headingList_->setEnabled(CurrentPage() == TReportPage::OutputReport);
        findStatus_->clear();
    });
}

QHBoxLayout* TReportViewer::CreateTopBar() {
    findText_ = new QLineEdit(this);
    findText_->setObjectName(QStringLiteral("FindText"));
    findText_->setPlaceholderText(QStringLiteral("Find (Ctrl+F)"));
    findText_->setClearButtonEnabled(true);
    connect(findText_, &QLineEdit::returnPressed, this, &TReportViewer::FindNext);
    findStatus_ = new QLabel(this);
    findStatus_->setObjectName(QStringLiteral("FindStatus"));
    QPushButton* previous = Button(this, "FindPrevious", QStringLiteral("&Previous"));
    QPushButton* next = Button(this, "FindNext", QStringLiteral("Ne&xt"));
    connect(previous, &QPushButton::clicked, this, &TReportViewer::FindPrevious);
    connect(next, &QPushButton::clicked, this, &TReportViewer::FindNext);
    AddShortcut(*this, QKeySequence::Find, [this] { FocusFind(); });
    AddShortcut(*this, QKeySequence(Qt::Key_F3), [this] { FindNext(); });
    AddShortcut(*this, QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { FindPrevious(); });

    auto* top = new QHBoxLayout;
    top->addWidget(headingList_);
    top->addSpacing(12);
    top->addWidget(findText_, 1);
    top->addWidget(previous);
    top->addWidget(next);
    top->addWidget(findStatus_);
    return top;
}

QSize TReportViewer::sizeHint() const {
    // The report's lines are 80 characters wide.
    const QFontMetrics metrics(report_->font());
    return {metrics.horizontalAdvance(QString(88, QLatin1Char('0'))), metrics.lineSpacing() * 36};
}

void TReportViewer::ShowPage(TReportPage page) { tabs_->setCurrentWidget(&Page(page)); }

TReportPage TReportViewer::CurrentPage() const {
    return tabs_->currentWidget() == notes_ ? TReportPage::RunNotes : TReportPage::OutputReport;
}

QPlainTextEdit& TReportViewer::Page(TReportPage page) const {
    return page == TReportPage::RunNotes ? *notes_ : *report_;
}

bool TReportViewer::FindNext() { return Find(false); }
bool TReportViewer::FindPrevious() { return Find(true); }
QString TReportViewer::FindStatus() const { return findStatus_->text(); }

bool TReportViewer::Find(bool backward) {
    QPlainTextEdit& page = Page(CurrentPage());
    const QString wanted = findText_->text();
    findStatus_->clear();
    if (wanted.isEmpty()) {
        FocusFind();
        return false;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (page.find(wanted, flags)) return true;
    // On from the other end of the page.
    const QTextCursor before = page.textCursor();
    QTextCursor cursor = before;
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    page.setTextCursor(cursor);
    if (page.find(wanted, flags)) {
        findStatus_->setText(backward ? QStringLiteral("Went on from the end")
                                      : QStringLiteral("Went on from the start"));
        return true;
    }
    page.setTextCursor(before);
    findStatus_->setText(QStringLiteral("\"%1\" not found").arg(wanted));
    return false;
}

void TReportViewer::FocusFind() {
    findText_->setFocus(Qt::ShortcutFocusReason);
    findText_->selectAll();
}

void TReportViewer::GoToHeading(int index) {
    if (index < 0 || index >= headings_.size()) return;
    ShowPage(TReportPage::OutputReport);
    headingList_->setCurrentIndex(index + 1);
    const int line = headings_[index].line;
    QTextCursor cursor(report_->document()->findBlockByNumber(line));
    report_->setTextCursor(cursor);
    // Without wrapping, the scroll bar counts lines: the heading goes to the top.
    report_->verticalScrollBar()->setValue(line);
    report_->setFocus(Qt::OtherFocusReason);
}

QString TReportViewer::PageTitle() const {
    return (CurrentPage() == TReportPage::RunNotes ? QStringLiteral("Run Notes - ")
                                                   : QStringLiteral("Output Report - ")) +
           projectName_;
}

void TReportViewer::CopyClick() {
    // The selection, or the whole page when nothing is selected.
    const QPlainTextEdit& page = Page(CurrentPage());
    QString selected = page.textCursor().selectedText();
    QApplication::clipboard()->setText(
        selected.isEmpty() ? page.toPlainText()
                           : selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
}

void TReportViewer::PrintClick() {
    PrintTextCommand(this, desktop_, {PageTitle(), Page(CurrentPage()).toPlainText()});
}

void TReportViewer::SavePdfClick() {
    SaveTextAsPdf(this, desktop_, {PageTitle(), Page(CurrentPage()).toPlainText()});
}

}  // namespace keldar
