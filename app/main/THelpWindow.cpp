#include "THelpWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QTextFrame>
#include <QTextTable>
#include <QToolBar>
#include <QVBoxLayout>

namespace keldar {

// Tables as a reader expects them: thin single rules and some room in the cells.
static void tidyTables(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr) continue;
        QTextTableFormat format = table->format();
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(0xb0, 0xb0, 0xb0));
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(4);
        table->setFormat(format);
    }
}

QUrl THelpWindow::PageUrl(HelpPage page) {
    switch (page) {
        case HelpPage::UsersManual:
            return QUrl(QStringLiteral("qrc:/docs/users-guide.md"));
        case HelpPage::TechnicalManual:
            return QUrl(QStringLiteral("qrc:/docs/technical-manual.md"));
        case HelpPage::Contents:
            break;
    }
    return QUrl(QStringLiteral("qrc:/docs/contents.md"));
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("KELDAR Help"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(QStringLiteral("&Contents"), this, [this] { ShowPage(HelpPage::Contents); });
    tools->addAction(QStringLiteral("&User's Manual"), this,
                     [this] { ShowPage(HelpPage::UsersManual); });
    tools->addAction(QStringLiteral("&Technical Manual"), this,
                     [this] { ShowPage(HelpPage::TechnicalManual); });
    tools->addSeparator();
    QAction* back = tools->addAction(QStringLiteral("&Back"), browser_, &QTextBrowser::backward);
    QAction* forward =
        tools->addAction(QStringLiteral("&Forward"), browser_, &QTextBrowser::forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        browser_->document()->setDocumentMargin(12);
        tidyTables(*browser_->document());
    });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(tools);
    column->addWidget(browser_);

    // Readable lines: about 110 characters wide, most of the screen high.
    const int width = browser_->fontMetrics().averageCharWidth() * 115;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int height = screen != nullptr ? screen->availableGeometry().height() * 3 / 4 : 600;
    resize(width, height);
}

void THelpWindow::ShowPage(HelpPage page) {
    browser_->setSource(PageUrl(page), QTextDocument::MarkdownResource);
}

THelpWindow* OpenHelpWindow(QPointer<THelpWindow>& window, HelpPage page, QWidget* parent) {
    if (window == nullptr) {
        window = new THelpWindow(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->ShowPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace keldar
