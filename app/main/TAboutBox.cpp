#include "TAboutBox.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "KeldarVersion.h"

namespace keldar {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    auto* name = new QLabel(QStringLiteral("KELDAR"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setBold(true);
    name->setFont(large);
    auto* version = new QLabel(QStringLiteral("Version ") + QLatin1String(kReleaseVersion), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* comments = new QLabel(
        QStringLiteral("A program for analysis of load vs. settlement for an axially loaded deep "
                       "foundation with t-z curve method."),
        this);
    comments->setObjectName(QStringLiteral("Comments"));
    comments->setWordWrap(true);
    comments->setMinimumWidth(comments->fontMetrics().averageCharWidth() * 48);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelColumn = new QVBoxLayout(panel);
    panelColumn->addWidget(name);
    panelColumn->addWidget(version);
    panelColumn->addSpacing(version->fontMetrics().height());
    panelColumn->addWidget(comments);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->addWidget(panel);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace keldar
