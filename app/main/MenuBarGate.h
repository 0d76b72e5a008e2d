// Stores the open windows' entries before the menu bar opens a menu. A rejected entry answers
// with a modal message box; shown from inside the menu's own opening (its aboutToShow), the box's
// event loop runs while the bar is half-way through opening the menu, and the bar is left
// holding a menu it no longer has (Qt then crashes on the next key). Here the entries are taken
// before the bar acts on the click or key, and a refusal means the menu does not open at all.
#pragma once

#include <QObject>
#include <functional>

class QMenuBar;

namespace keldar {

class TMenuBarGate : public QObject {
  public:
    // Watches `bar` (and is deleted with it); `acceptEntries` stores the entries, or shows the
    // message of a rejected one and answers false.
    TMenuBarGate(QMenuBar& bar, std::function<bool()> acceptEntries);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool()> acceptEntries_;
};

}  // namespace keldar
