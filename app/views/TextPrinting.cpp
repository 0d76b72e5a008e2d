#include "TextPrinting.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>

#include "TDesktop.h"

namespace keldar {

namespace {

const QString kCaption = QStringLiteral("Print");

// The report's lines are up to 80 characters wide: 9 points keep them whole on a portrait page.
constexpr int kPrintPointSize = 9;

bool PrintPdf(QWidget* parent, TDesktop& desktop, const TPrintedText& document,
              const QString& caption) {
    const std::optional<TFileChoice> choice =
        desktop.saveFileName({.title = caption,
                              .fileName = document.title + QStringLiteral(".pdf"),
                              .filters = {QStringLiteral("PDF Document (*.pdf)")},
                              .parent = parent});
    if (!choice) return false;
    const QString& fileName = choice->fileName;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    if (PrintPlainText(printer, document) && QFileInfo(fileName).size() > 0) return true;
    desktop.error(kCaption, QStringLiteral("The file \"%1\" could not be written.").arg(fileName));
    return false;
}

}  // namespace

bool PrintPlainText(QPrinter& printer, const TPrintedText& document) {
    printer.setDocName(document.title);
    QTextDocument text;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kPrintPointSize);
    text.setDefaultFont(font);
    text.setPlainText(document.text);
    if (!printer.isValid()) return false;
    text.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void PrintTextCommand(QWidget* parent, TDesktop& desktop, const TPrintedText& document) {
    if (!desktop.hasPrinter()) {
        PrintPdf(parent, desktop, document, QStringLiteral("Print to PDF File"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!PrintPlainText(printer, document)) {
        desktop.error(kCaption, QStringLiteral("The text could not be printed."));
    }
}

bool SaveTextAsPdf(QWidget* parent, TDesktop& desktop, const TPrintedText& document) {
    return PrintPdf(parent, desktop, document, QStringLiteral("Save as PDF"));
}

}  // namespace keldar

namespace keldar {

QHBoxLayout* TextCommandButtons(QWidget* parent, const TTextCommands& commands) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    const auto add = [&](const char* name, const char* caption,
                         const std::function<void()>& command) {
        auto* button = new QPushButton(QString::fromLatin1(caption), parent);
        button->setObjectName(QLatin1String(name));
        QObject::connect(button, &QPushButton::clicked, parent, command);
        row->addWidget(button);
    };
    // Access keys apart from the menu bar's (F, D, O, C, G, W, H), which must reach the menus.
    add("Copy", "Cop&y", commands.copy);
    add("Print", "Pr&int...", commands.print);
    add("SavePdf", "&Save as PDF...", commands.savePdf);
    return row;
}

}  // namespace keldar
