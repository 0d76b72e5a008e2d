#include "ActiveLinesDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace keldar {

TfrmActiveLines::TfrmActiveLines(const QStringList& names, const QVector<bool>& active,
                                 QWidget* parent)
    : QDialog(parent), names_(names), active_(active), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Active Curves"));
    active_.resize(names_.size());
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setMinimumWidth(260);
    // The yes and no marks line up the names.
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (int row = 0; row < names_.size(); ++row) {
        list_->addItem(QString());
        ShowRow(row);
    }
    auto* all = new QPushButton(QStringLiteral("Activate All"), this);
    auto* none = new QPushButton(QStringLiteral("Deactivate All"), this);
    auto* flip = new QPushButton(QStringLiteral("Activate/Deactivate Selected"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* commands = new QHBoxLayout;
    commands->addWidget(all);
    commands->addWidget(none);
    commands->addWidget(flip);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this));
    layout->addWidget(list_);
    layout->addLayout(commands);
    layout->addWidget(buttons);
    connect(all, &QPushButton::clicked, this, &TfrmActiveLines::ActivateAll);
    connect(none, &QPushButton::clicked, this, &TfrmActiveLines::DeactivateAll);
    connect(flip, &QPushButton::clicked, this, &TfrmActiveLines::FlipSelected);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Flip(list_->row(item)); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QStringList TfrmActiveLines::Lines() const {
    QStringList lines;
    for (int i = 0; i < list_->count(); ++i) lines << list_->item(i)->text();
    return lines;
}

void TfrmActiveLines::FlipSelected() {
    for (const QListWidgetItem* item : list_->selectedItems()) Flip(list_->row(item));
}

void TfrmActiveLines::SetAll(bool active) {
    for (int row = 0; row < active_.size(); ++row) {
        active_[row] = active;
        ShowRow(row);
    }
}

void TfrmActiveLines::Flip(int row) {
    if (row < 0 || row >= active_.size()) return;
    active_[row] = !active_[row];
    ShowRow(row);
}

void TfrmActiveLines::ShowRow(int row) {
    const QString mark = active_[row] ? QStringLiteral(" yes : ") : QStringLiteral(" no  : ");
    list_->item(row)->setText(mark + names_[row]);
}

}  // namespace keldar
