// The Active Curves dialog: which curves take part in the plot and its legend.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QVector>

class QListWidget;
class QListWidgetItem;

namespace keldar {

class TfrmActiveLines : public QDialog {
    Q_OBJECT

  public:
    TfrmActiveLines(const QStringList& names, const QVector<bool>& active,
                    QWidget* parent = nullptr);
    QVector<bool> Active() const { return active_; }
    // The list as shown: " yes : name" or " no  : name".
    QStringList Lines() const;

    void ActivateAll() { SetAll(true); }
    void DeactivateAll() { SetAll(false); }
    void FlipSelected();

  private:
    void SetAll(bool active);
    void Flip(int row);
    void ShowRow(int row);

    QStringList names_;
    QVector<bool> active_;
    QListWidget* list_;
};

}  // namespace keldar
