// A desktop for window tests: answers the save dialog from a script and records what would have
// been opened.
#pragma once

#include <QStringList>

#include "ViewsShell.h"

namespace keldar::test {

class ScriptedShell : public TViewsShell {
  public:
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&,
                         QString* selectedFilter) override {
        if (selectedFilter) *selectedFilter = AnswerFilter;
        return AnswerFile;
    }
    bool HasPrinter() override { return Printer; }
    bool OpenDocument(const QString& path) override {
        Opened << path;
        return true;
    }

    QString AnswerFile;
    QString AnswerFilter;
    bool Printer = false;
    QStringList Opened;
};

}  // namespace keldar::test
