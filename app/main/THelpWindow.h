// The help window: the program's contents page, user's guide and technical manual, written in
// Markdown and built into the program, shown with their links and pictures.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace keldar {

enum class HelpPage { Contents, UsersManual, TechnicalManual };

class THelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit THelpWindow(QWidget* parent = nullptr);

    void ShowPage(HelpPage page);
    static QUrl PageUrl(HelpPage page);

    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

// Shows `page` in the help window held by `window`, created (deleted on closing) when there is
// none, and brings it to the front.
THelpWindow* OpenHelpWindow(QPointer<THelpWindow>& window, HelpPage page,
                            QWidget* parent = nullptr);

}  // namespace keldar
