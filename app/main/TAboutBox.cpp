#include "TAboutBox.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace keldar {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto* name = new QLabel(QStringLiteral("KELDAR"), this);
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    large.setBold(true);
    name->setFont(large);
    auto* version = new QLabel(QStringLiteral("Version 2014"), this);
    auto* purpose =
        new QLabel(QStringLiteral("A program for analysis of load vs. settlement for an "
                                  "axially loaded deep foundation with t-z curve method."),
                   this);
    purpose->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(purpose);
    layout->addWidget(buttons);
    setFixedWidth(380);
}

}  // namespace keldar
