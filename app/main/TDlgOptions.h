// Control Options: the program used as the text editor for the data file, the report and the
// run notes. The path belongs to the main window, which keeps it in the settings.
#pragma once

#include <QString>
#include <functional>

#include "TDataDialog.h"

class QLineEdit;

namespace keldar {

class TDlgOptions : public TDataDialog {
    Q_OBJECT

  public:
    // Asks for a program file: (parent, dialog title, preset path, filter) -> chosen path, or an
    // empty text when cancelled.
    using ChooseFile =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

    // Edits `editorPath` (not owned, must outlive the window). Without `chooseFile` the
    // platform's open-file dialog is used.
    explicit TDlgOptions(QString& editorPath, ChooseFile chooseFile = {},
                         UserMessages* messages = nullptr, QWidget* parent = nullptr);

    static QString ProgramFilter();

  protected:
    void LoadFields() override;
    void StoreFields() override;

  private:
    void browse();

    QString& editorPath_;
    ChooseFile chooseFile_;
    QLineEdit* EdtWord;
};

}  // namespace keldar
