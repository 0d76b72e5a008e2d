#include <QDesktopServices>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QUrl>

#include "ViewsShell.h"

namespace keldar {

namespace {

class TDesktopShell : public TViewsShell {
  public:
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggestion,
                         const QString& filter, QString* selectedFilter) override {
        return QFileDialog::getSaveFileName(parent, caption, suggestion, filter, selectedFilter);
    }
    bool HasPrinter() override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }
    bool OpenDocument(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

}  // namespace

TViewsShell& DesktopShell() {
    static TDesktopShell shell;
    return shell;
}

}  // namespace keldar
