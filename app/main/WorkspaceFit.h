// Keeps each new child window of an MDI area inside the visible workspace: it is moved where it
// shows whole, and one larger than the workspace shrinks to it. A table editor then snaps to the
// rows and columns that fit and shows scroll bars; a window that cannot shrink that far is
// reached with the workspace's own scroll bars.
#pragma once

#include <QObject>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace keldar {

class TWorkspaceFit : public QObject {
  public:
    // Watches `area` (and is deleted with it).
    explicit TWorkspaceFit(QMdiArea& area);

    // Moves and shrinks `child` into the visible workspace.
    void Fit(QMdiSubWindow& child) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMdiArea& area_;
    const QWidget* viewport_;
};

}  // namespace keldar
