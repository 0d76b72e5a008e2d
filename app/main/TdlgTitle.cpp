#include "TdlgTitle.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "TitleMemo.h"

namespace keldar {

TdlgTitle::TdlgTitle(TProgramData& project, UserMessages& messages, QWidget* parent)
    : TDataDialog(messages, QStringLiteral("dlgTitle"), QStringLiteral("Project Title"), parent),
      project_(project) {
    auto* column = new QVBoxLayout(this);
    auto* memoLabel = new QLabel(QStringLiteral("Enter line of text for project description:"));
    TitleMemo = new TTitleMemo(this);
    TitleMemo->setObjectName(QStringLiteral("TitleMemo"));
    memoLabel->setBuddy(TitleMemo);
    // Room for the longest title over two lines.
    const QFontMetrics metrics(TitleMemo->font());
    const int margins = 2 * (TitleMemo->frameWidth() + 6);
    TitleMemo->setFixedSize(metrics.averageCharWidth() * (TTitleMemo::kMaxLength / 2 + 6) + margins,
                            3 * metrics.lineSpacing() + margins);
    column->addWidget(memoLabel);
    column->addWidget(TitleMemo);

    auto* form = new QFormLayout;
    DataEdit1 = new QLineEdit(this);
    DataEdit1->setObjectName(QStringLiteral("DataEdit1"));
    DataEdit2 = new QLineEdit(this);
    DataEdit2->setObjectName(QStringLiteral("DataEdit2"));
    form->addRow(QStringLiteral("Name of the Designer : "), DataEdit1);
    form->addRow(QStringLiteral("Date : "), DataEdit2);
    column->addLayout(form);
    LoadFields();
}

void TdlgTitle::LoadFields() {
    TitleMemo->SetTitle(project_.Title);
    DataEdit1->setText(project_.Designer);
    if (!project_.DesignDate.isEmpty()) DataEdit2->setText(project_.DesignDate);
}

void TdlgTitle::StoreFields() {
    const QString title = TitleMemo->toPlainText();
    if (title != project_.Title) {
        project_.Title = title;
        project_.SetModified(true);
    }
    project_.Designer = DataEdit1->text();
    project_.DesignDate = DataEdit2->text();
}

}  // namespace keldar
