// A desktop for tests: file dialogs answer with queued choices, started programs and opened
// addresses are recorded, modal dialogs are recorded and not shown (onModal may act in them).
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

#include "TDesktop.h"

namespace keldar::test {

class TestDesktop : public TDesktop {
  public:
    // An empty name answers as Cancel.
    void queueOpen(const QString& fileName, int filterIndex = 0) {
        openAnswers.append({fileName, filterIndex});
    }
    void queueSave(const QString& fileName) { saveAnswers.append({fileName, 0}); }

    std::optional<TFileChoice> openFileName(const TFileDialogRequest& request) override {
        return answer(openAnswers, request);
    }
    std::optional<TFileChoice> saveFileName(const TFileDialogRequest& request) override {
        return answer(saveAnswers, request);
    }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        started.append(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
        return programsStart;
    }
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return urlsOpen;
    }
    void showModal(QDialog& dialog) override {
        modals.append(dialog.objectName());
        if (onModal) onModal(dialog);
    }

    QList<TFileDialogRequest> requests;
    QList<TFileChoice> openAnswers;
    QList<TFileChoice> saveAnswers;
    QStringList started;
    QList<QUrl> opened;
    QStringList modals;
    // Plays the user's part in a modal dialog, which is not shown.
    std::function<void(QDialog&)> onModal;
    bool programsStart = true;
    bool urlsOpen = true;

  private:
    std::optional<TFileChoice> answer(QList<TFileChoice>& answers,
                                      const TFileDialogRequest& request) {
        requests.append(request);
        if (answers.isEmpty()) return {};
        const TFileChoice choice = answers.takeFirst();
        if (choice.fileName.isEmpty()) return {};
        return choice;
    }
};

}  // namespace keldar::test
