// Base of the small data windows that edit the project without OK buttons. A window loads its
// fields when it is activated and stores them when it is deactivated or closed, so switching to
// another window or opening a menu is enough to apply the entries. A numeric field holding a
// rejected entry keeps the window open and in front with the focus in the field, and nothing of
// the window is stored until the entry is corrected.
//
// The window works inside a QMdiSubWindow (it follows the sub-window's activation) and as a
// top-level window (it follows its own activation).
#pragma once

#include <QPointer>
#include <QWidget>

#include "DataWindow.h"
#include "UserMessages.h"

class QMdiSubWindow;

namespace keldar {

class TDataEdit;

class TDataDialog : public QWidget, public TDataWindow {
    Q_OBJECT
    Q_INTERFACES(keldar::TDataWindow)

  public:
    // A window named `name` (how the program finds it again) with the caption `title`. Messages
    // go to `messages`, which outlives the window; the fields of derived windows take Messages().
    TDataDialog(UserMessages& messages, const QString& name, const QString& title,
                QWidget* parent = nullptr);

    // Loads every field from the project (the unit system first). Also the refresh after a unit
    // switch: entries not yet stored are replaced by the project's converted values.
    void FormActivate() override;
    // Stores every field into the project. Refused (false, nothing stored) while a numeric field
    // holds a rejected entry: the window comes back to the front with the focus in that field.
    bool FormDeactivate() override;

    // The MDI sub-window that holds this window, if any.
    QMdiSubWindow* SubWindow() const;

  protected:
    virtual void LoadFields() = 0;
    virtual void StoreFields() = 0;

    UserMessages& Messages() const { return messages_; }
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    TDataEdit* firstRejectedField();
    void bringBackTo(TDataEdit* field);
    void followSubWindow();
    void activationChanged(bool active);

    UserMessages& messages_;
    QPointer<QMdiSubWindow> subWindow_;
    // Entries kept on screen after a refused store; activation must not overwrite them.
    bool storeRefused_ = false;
    // The entries went into the project since the fields were last loaded: the next activation
    // shows the project as it is then.
    bool storedSinceLoad_ = true;
    bool storing_ = false;
};

}  // namespace keldar
