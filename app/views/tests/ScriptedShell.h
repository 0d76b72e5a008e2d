// A desktop for window tests: answers the save dialog from a script and records what would have
// been opened.
#pragma once

#include <QStringList>

#include "ViewsShell.h"

namespace keldar::test {

class ScriptedShell : public TViewsShell {
  public:
    QString SaveFileName(QWidget*, const QString&, const QString& suggestion, const QString&,
                         QString* selectedFilter) override {
        Suggestions << suggestion;
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
    QStringList Suggestions;  // what each save dialog proposed
};

}  // namespace keldar::test
