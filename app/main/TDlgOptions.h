// Control Options: the program used as the text editor for the data file, the report and the
// run notes, and the user identification that every report header shows. Both belong to the
// main window, which keeps them in the settings.
#pragma once

#include <QString>
#include <QStringList>

#include "NamesFile.h"
#include "TDataDialog.h"
#include "TDesktop.h"

class QGridLayout;
class QLineEdit;

namespace keldar {

class TDlgOptions : public TDataDialog {
    Q_OBJECT

  public:
    // Edits `editorPath` and `user` (not owned, must outlive the window). The program file is
    // chosen in the desktop's open dialog.
    TDlgOptions(QString& editorPath, TUserIdentification& user, TDesktop& desktop,
                QWidget* parent = nullptr);

    static QStringList ProgramFilters();

  protected:
    void LoadFields() override;
    void StoreFields() override;

  private:
    QWidget* CreateEditorRow();
    QWidget* CreateUserGroup();
    void browse();

    QString& editorPath_;
    TUserIdentification& user_;
    TDesktop& desktop_;
    QLineEdit* EdtWord;
    QLineEdit* EdtUserName;
    QLineEdit* EdtOrganisation;
    QLineEdit* EdtContactName;
    TDataEdit* DataUserNumber;
};

}  // namespace keldar
