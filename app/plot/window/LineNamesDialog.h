// The Legend dialog: a new legend text for any curve.
#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;

namespace keldar {

class TfrmLineNames : public QDialog {
    Q_OBJECT

  public:
    TfrmLineNames(const QStringList& names, QWidget* parent = nullptr);
    QStringList Names() const;

  private:
    void SelectionChanged();
    void TextEdited(const QString& text);

    QListWidget* list_;
    QLineEdit* edit_;
};

}  // namespace keldar
