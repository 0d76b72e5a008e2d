// The commands of a text window (the results summary, the output report, the run notes): copy,
// and print in a fixed-pitch font on pages of the printer or into a PDF file. Print goes to the
// system's printer when there is one and otherwise asks for a PDF file, as the soil profile's
// print does.
#pragma once

#include <QString>
#include <functional>

class QHBoxLayout;
class QPrinter;
class QWidget;

namespace keldar {

class TDesktop;

struct TPrintedText {
    QString title;  // the print job's name and the proposed PDF file's name
    QString text;
};

// Lays the text out in pages of the printer; false when the printer cannot be painted on.
bool PrintPlainText(QPrinter& printer, const TPrintedText& document);

// Print: the system's printer, or a PDF file when the system has none.
void PrintTextCommand(QWidget* parent, TDesktop& desktop, const TPrintedText& document);
// Save as PDF: asks for the file and writes it; true when it was written.
bool SaveTextAsPdf(QWidget* parent, TDesktop& desktop, const TPrintedText& document);

struct TTextCommands {
    std::function<void()> copy, print, savePdf;
};
// The Copy, Print and Save as PDF buttons (named "Copy", "Print", "SavePdf"), right-aligned.
QHBoxLayout* TextCommandButtons(QWidget* parent, const TTextCommands& commands);

}  // namespace keldar
