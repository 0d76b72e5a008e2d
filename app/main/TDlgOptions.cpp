#include "TDlgOptions.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace keldar {

static QString chooseWithFileDialog(QWidget* parent, const QString& title, const QString& preset,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, preset, filter);
}

TDlgOptions::TDlgOptions(QString& editorPath, ChooseFile chooseFile, UserMessages* messages,
                         QWidget* parent)
    : TDataDialog(messages, parent),
      editorPath_(editorPath),
      chooseFile_(chooseFile ? std::move(chooseFile) : ChooseFile(chooseWithFileDialog)) {
    setObjectName(QStringLiteral("DlgOptions"));
    setWindowTitle(QStringLiteral("Control Options"));

    auto* row = new QHBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Text Editor:"), this);
    EdtWord = new QLineEdit(this);
    EdtWord->setObjectName(QStringLiteral("EdtWord"));
    EdtWord->setMinimumWidth(EdtWord->fontMetrics().averageCharWidth() * 45);
    label->setBuddy(EdtWord);
    auto* browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
    browseButton->setObjectName(QStringLiteral("BtnBrowse"));
    browseButton->setAutoDefault(false);
    connect(browseButton, &QPushButton::clicked, this, &TDlgOptions::browse);
    row->addWidget(label);
    row->addWidget(EdtWord, 1);
    row->addWidget(browseButton);
    LoadFields();
}

QString TDlgOptions::ProgramFilter() {
#ifdef Q_OS_WIN
    return QStringLiteral("Programs (*.exe *.com);;All Files (*.*)");
#else
    // Programs here carry no extension.
    return QStringLiteral("All Files (*)");
#endif
}

void TDlgOptions::LoadFields() { EdtWord->setText(editorPath_); }

void TDlgOptions::StoreFields() { editorPath_ = EdtWord->text(); }

void TDlgOptions::browse() {
    const QString chosen =
        chooseFile_(this, QStringLiteral("Open"), EdtWord->text(), ProgramFilter());
    if (!chosen.isEmpty()) EdtWord->setText(chosen);
}

}  // namespace keldar
