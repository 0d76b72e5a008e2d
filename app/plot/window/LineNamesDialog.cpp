#include "LineNamesDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace keldar {

TfrmLineNames::TfrmLineNames(const QStringList& names, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), edit_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Legend"));
    list_->addItems(names);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select line to modify:"), this));
    layout->addWidget(list_);
    layout->addWidget(new QLabel(QStringLiteral("Type new legend below:"), this));
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    connect(list_, &QListWidget::currentRowChanged, this, &TfrmLineNames::SelectionChanged);
    connect(edit_, &QLineEdit::textEdited, this, &TfrmLineNames::TextEdited);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (!names.isEmpty()) list_->setCurrentRow(0);
}

QStringList TfrmLineNames::Names() const {
    QStringList names;
    for (int i = 0; i < list_->count(); ++i) names << list_->item(i)->text();
    return names;
}

void TfrmLineNames::SelectionChanged() {
    const QListWidgetItem* item = list_->currentItem();
    edit_->setText(item ? item->text() : QString());
}

void TfrmLineNames::TextEdited(const QString& text) {
    if (QListWidgetItem* item = list_->currentItem()) item->setText(text);
}

}  // namespace keldar
