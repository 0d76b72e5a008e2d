// The desktop of the running program: Qt's file dialogs, QProcess and QDesktopServices.
#pragma once

#include <QPointer>
#include <QWidget>

#include "TDesktop.h"

namespace keldar {

class TQtDesktop : public TDesktop {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<TFileChoice> openFileName(const TFileDialogRequest& request) override;
    std::optional<TFileChoice> saveFileName(const TFileDialogRequest& request) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url) override;
    void showModal(QDialog& dialog) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace keldar
