// The report viewer: the output report (.kd3o) and the run notes (.kd3r) of a run, read-only in
// a fixed-pitch font, one tab each. Find (Ctrl+F, then Enter or F3 for the next hit and Shift+F3
// for the one before) wraps at either end and says when the text is not there; "Go to" jumps to
// a table of the report; the page shown can be copied, printed and saved as PDF.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "ReportHeadings.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace keldar {

class TDesktop;

enum class TReportPage { OutputReport, RunNotes };

class TReportViewer : public QWidget {
    Q_OBJECT

  public:
    // projectName names the window, the print job and the proposed PDF file.
    TReportViewer(const QString& reportFile, const QString& notesFile, const QString& projectName,
                  TDesktop& desktop, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    void ShowPage(TReportPage page);
    TReportPage CurrentPage() const;
    QPlainTextEdit& Page(TReportPage page) const;

    // The next or previous hit of the find field's text from the cursor of the page shown,
    // wrapping at the end; false (and "not found" shown) when the page does not hold it.
    bool FindNext();
    bool FindPrevious();
    QString FindStatus() const;

    const QList<TReportHeading>& Headings() const { return headings_; }
    // Shows the report with heading `index` at the top.
    void GoToHeading(int index);

    void CopyClick();
    void PrintClick();
    void SavePdfClick();

  private:
    // The two pages in their tabs; answers the report's text.
    QString CreatePages(const QString& reportFile, const QString& notesFile);
    // "Go to" over the report's tables.
    void CreateHeadingList(const QString& report);
    // The heading list beside the find field, its buttons and its status.
    QHBoxLayout* CreateTopBar();
    bool Find(bool backward);
    void FocusFind();
    QString PageTitle() const;

    QString projectName_;
    TDesktop& desktop_;
    QList<TReportHeading> headings_;
    QTabWidget* tabs_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QComboBox* headingList_ = nullptr;
    QLineEdit* findText_ = nullptr;
    QLabel* findStatus_ = nullptr;
};

}  // namespace keldar
