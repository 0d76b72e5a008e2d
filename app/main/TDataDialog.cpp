#include "TDataDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "TDataEdit.h"

namespace keldar {

TDataDialog::TDataDialog(UserMessages& messages, const QString& name, const QString& title,
                         QWidget* parent)
    : QWidget(parent), messages_(messages) {
    setObjectName(name);
    setWindowTitle(title);
}

QMdiSubWindow* TDataDialog::SubWindow() const { return subWindow_; }

void TDataDialog::FormActivate() {
    storeRefused_ = false;
    LoadFields();
    storedSinceLoad_ = false;
}

// The focused numeric field first, as the user sees it, then the others: a field left with a
// rejected entry would otherwise be read as a number.
TDataEdit* TDataDialog::firstRejectedField() {
    auto* focused = qobject_cast<TDataEdit*>(focusWidget());
    if (focused != nullptr && isAncestorOf(focused) && !focused->Validate()) return focused;
    for (TDataEdit* field : findChildren<TDataEdit*>()) {
        if (field != focused && !field->Validate()) return field;
    }
    return nullptr;
}

bool TDataDialog::FormDeactivate() {
    if (storing_) return false;  // a message box of a field is being shown
    storing_ = true;
    TDataEdit* rejected = firstRejectedField();
    storing_ = false;
    if (rejected != nullptr) {
        storeRefused_ = true;
        bringBackTo(rejected);
        return false;
    }
    storeRefused_ = false;
    StoreFields();
    storedSinceLoad_ = true;
    return true;
}

void TDataDialog::bringBackTo(TDataEdit* field) {
    // Later, so that the activation that is deactivating this window has finished first.
    QTimer::singleShot(0, field, [this, field] {
        if (subWindow_ != nullptr && subWindow_->mdiArea() != nullptr) {
            subWindow_->mdiArea()->setActiveSubWindow(subWindow_);
        } else {
            raise();
            activateWindow();
        }
        field->setFocus(Qt::OtherFocusReason);
    });
}

// An entry that would be accepted on leaving its field, found without a message.
static bool acceptable(const TDataEdit* field) {
    try {
        const long double value = field->Number();
        if (field->IntegerOnly() && value != std::trunc(value)) return false;
        return value >= field->MinVal() && value <= field->MaxVal();
    } catch (...) {
        return false;
    }
}

void TDataDialog::activationChanged(bool active) {
    if (active) {
        // Only a window whose entries went into the project reloads them: a field that takes the
        // focus back to answer a rejected entry re-activates the window with its other entries
        // still unsaved on screen.
        if (!storeRefused_ && storedSinceLoad_) FormActivate();
    } else if (QApplication::activeWindow() == nullptr) {
        // Another program took the focus: store when every entry is acceptable, say nothing
        // meanwhile, and keep the entries on screen for the user's return either way.
        const auto fields = findChildren<TDataEdit*>();
        storeRefused_ = !std::all_of(fields.begin(), fields.end(), acceptable);
        if (!storeRefused_) {
            StoreFields();
            storedSinceLoad_ = true;
        }
    } else {
        FormDeactivate();
    }
}

void TDataDialog::followSubWindow() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub == subWindow_) return;
    if (subWindow_ != nullptr) disconnect(subWindow_, nullptr, this, nullptr);
    subWindow_ = sub;
    if (sub == nullptr) return;
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                const bool wasActive = before.testFlag(Qt::WindowActive);
                const bool isActive = now.testFlag(Qt::WindowActive);
                if (wasActive != isActive) activationChanged(isActive);
            });
}

bool TDataDialog::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::ParentChange:
            followSubWindow();
            break;
        case QEvent::WindowActivate:
            if (isWindow()) activationChanged(true);
            break;
        case QEvent::WindowDeactivate:
            if (isWindow()) activationChanged(false);
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

void TDataDialog::closeEvent(QCloseEvent* event) {
    if (FormDeactivate()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace keldar
