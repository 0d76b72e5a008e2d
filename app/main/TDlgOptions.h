// Control Options: the program used as the text editor for the data file, the report and the
// run notes, and the user identification that every report header shows. Both belong to the
// main window, which keeps them in the settings.
#pragma once

#include <QString>
#include <functional>

#include "NamesFile.h"
#include "TDataDialog.h"

class QGridLayout;
class QLineEdit;

namespace keldar {

class TDlgOptions : public TDataDialog {
    Q_OBJECT

  public:
    // Asks for a program file: (parent, dialog title, preset path, filter) -> chosen path, or an
    // empty text when cancelled.
    using ChooseFile =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

    // Edits `editorPath` and `user` (not owned, must outlive the window). Without `chooseFile`
    // the platform's open-file dialog is used.
    TDlgOptions(QString& editorPath, TUserIdentification& user, ChooseFile chooseFile = {},
                UserMessages* messages = nullptr, QWidget* parent = nullptr);

    static QString ProgramFilter();

  protected:
    void LoadFields() override;
    void StoreFields() override;

  private:
    QWidget* CreateEditorRow();
    QWidget* CreateUserGroup();
    void browse();

    QString& editorPath_;
    TUserIdentification& user_;
    ChooseFile chooseFile_;
    QLineEdit* EdtWord;
    QLineEdit* EdtUserName;
    QLineEdit* EdtOrganisation;
    QLineEdit* EdtContactName;
    TDataEdit* DataUserNumber;
};

}  // namespace keldar
