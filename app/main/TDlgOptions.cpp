#include "TDlgOptions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogFields.h"

namespace keldar {

// A text field with its label in the next row of `grid`, holding at most `length` characters:
// the room the report header gives it.
static QLineEdit* AddTextField(QGridLayout& grid, const QString& name, const QString& caption,
                               qsizetype length) {
    auto* parent = grid.parentWidget();
    auto* label = new QLabel(caption, parent);
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(static_cast<int>(length));
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * static_cast<int>(length + 2));
    label->setBuddy(field);
    const int row = grid.rowCount();
    grid.addWidget(label, row, 0);
    grid.addWidget(field, row, 1, Qt::AlignLeft);
    return field;
}

TDlgOptions::TDlgOptions(QString& editorPath, TUserIdentification& user, TDesktop& desktop,
                         QWidget* parent)
    : TDataDialog(desktop, QStringLiteral("DlgOptions"), QStringLiteral("Control Options"), parent),
      editorPath_(editorPath),
      user_(user),
      desktop_(desktop) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateEditorRow());
    layout->addWidget(CreateUserGroup());
    LoadFields();
}

QWidget* TDlgOptions::CreateEditorRow() {
    auto* band = new QWidget(this);
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Text Editor:"), band);
    EdtWord = new QLineEdit(band);
    EdtWord->setObjectName(QStringLiteral("EdtWord"));
    EdtWord->setMinimumWidth(EdtWord->fontMetrics().averageCharWidth() * 45);
    label->setBuddy(EdtWord);
    auto* browseButton = new QPushButton(QStringLiteral("&Browse..."), band);
    browseButton->setObjectName(QStringLiteral("BtnBrowse"));
    browseButton->setAutoDefault(false);
    connect(browseButton, &QPushButton::clicked, this, &TDlgOptions::browse);
    row->addWidget(label);
    row->addWidget(EdtWord, 1);
    row->addWidget(browseButton);
    return band;
}

// Access keys that no main menu uses (File, Data, Options, Computation, Graphics, Window, Help):
// a key that two controls share selects neither.
QWidget* TDlgOptions::CreateUserGroup() {
    auto* group =
        new QGroupBox(QStringLiteral("User identification (printed in every report)"), this);
    auto* grid = new QGridLayout(group);
    EdtUserName = AddTextField(*grid, QStringLiteral("EdtUserName"), QStringLiteral("User &Name:"),
                               kUserNameLength);
    EdtOrganisation = AddTextField(*grid, QStringLiteral("EdtOrganisation"),
                                   QStringLiteral("Organi&sation:"), kUserTextLength);
    EdtContactName = AddTextField(*grid, QStringLiteral("EdtContactName"),
                                  QStringLiteral("Contact Na&me:"), kUserTextLength);
    DataUserNumber = AddNumberField(*grid, QStringLiteral("DataUserNumber"),
                                    QStringLiteral("User N&umber:"), QString(), Messages());
    DataUserNumber->SetIntegerOnly(true);
    DataUserNumber->SetMinVal(0);
    DataUserNumber->SetMaxVal(static_cast<long double>(kMaxUserNumber));
    DataUserNumber->setMinimumWidth(EdtOrganisation->minimumWidth());
    DataUserNumber->setMaximumWidth(EdtOrganisation->minimumWidth());
    grid->setAlignment(DataUserNumber, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    return group;
}

QStringList TDlgOptions::ProgramFilters() {
#ifdef Q_OS_WIN
    return {QStringLiteral("Programs (*.exe *.com)"), QStringLiteral("All Files (*.*)")};
#else
    // Programs here carry no extension.
    return {QStringLiteral("All Files (*)")};
#endif
}

void TDlgOptions::LoadFields() {
    EdtWord->setText(editorPath_);
    EdtUserName->setText(user_.UserName);
    EdtOrganisation->setText(user_.Organisation);
    EdtContactName->setText(user_.ContactName);
    ShowNumber(*DataUserNumber, static_cast<long double>(user_.Number));
    for (QLineEdit* field : {EdtWord, EdtUserName, EdtOrganisation, EdtContactName}) {
        field->setCursorPosition(0);
    }
}

void TDlgOptions::StoreFields() {
    editorPath_ = EdtWord->text();
    user_.UserName = EdtUserName->text();
    user_.Organisation = EdtOrganisation->text();
    user_.ContactName = EdtContactName->text();
    long double number = static_cast<long double>(user_.Number);
    if (StoreNumber(*DataUserNumber, number)) user_.Number = static_cast<qint64>(number);
}

void TDlgOptions::browse() {
    const std::optional<TFileChoice> chosen =
        desktop_.openFileName({.title = QStringLiteral("Open"),
                               .fileName = EdtWord->text(),
                               .filters = ProgramFilters(),
                               .parent = this});
    if (chosen) EdtWord->setText(chosen->fileName);
}

}  // namespace keldar
