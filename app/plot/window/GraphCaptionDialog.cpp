#include "GraphCaptionDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keldar {

TfrmGraphCaption::TfrmGraphCaption(const QString& title, bool atTop, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(title, this)) {
    setWindowTitle(QStringLiteral("Graph Caption"));
    auto* location = new QGroupBox(QStringLiteral("Caption Location"), this);
    top_ = new QRadioButton(QStringLiteral("Top"), location);
    auto* bottom = new QRadioButton(QStringLiteral("Bottom"), location);
    (atTop ? top_ : bottom)->setChecked(true);
    auto* choices = new QHBoxLayout(location);
    choices->addWidget(top_);
    choices->addWidget(bottom);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    edit_->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter Graph Caption"), this));
    layout->addWidget(edit_);
    layout->addWidget(location);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString TfrmGraphCaption::Title() const { return edit_->text(); }

bool TfrmGraphCaption::AtTop() const { return top_->isChecked(); }

}  // namespace keldar
