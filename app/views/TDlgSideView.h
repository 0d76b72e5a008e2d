// The soil profile view ("Elevation View"): the layers of the project and the pile drawn to
// scale, the depth under the pointer in the caption, printing on one landscape page and saving
// the drawing as a PNG or SVG picture. It only reads the project, anew at every activation.
#pragma once

#include <QWidget>

#include "SideViewGeometry.h"

class QLabel;
class QPrinter;
class QPushButton;

namespace keldar {

class TProgramData;
class TSideViewCanvas;
struct TSideViewStyle;
class TDesktop;

class TDlgSideView : public QWidget {
    Q_OBJECT

  public:
    TDlgSideView(TProgramData& project, TDesktop& desktop, QWidget* parent = nullptr);

    // Rebuilds the drawing from the project and repaints; called whenever the window becomes
    // active.
    void FormActivate();
    // Prints on the system's printer, or into a PDF file the user names when there is none.
    void Button1Click();
    // Saves the drawing as it stands on screen, as PNG or SVG by the chosen file type.
    void SaveImageClick();

    const TSideViewGeometry& Geometry() const { return fGeometry; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void PrintTo(QPrinter& printer);

    TProgramData& fProject;
    TDesktop& fDesktop;
    TSideViewGeometry fGeometry;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* fSaveButton;
    TSideViewCanvas* fCanvas;
};

// Writes the drawing into a picture file of the given size: ".svg" names give SVG, others PNG.
// The file is replaced only once the picture is complete; returns an empty text or the message.
QString SaveSideViewPicture(const TSideViewGeometry& geometry, const TSideViewStyle& style,
                            QSize size, const QString& fileName);

}  // namespace keldar
