// A desktop for tests: every message is recorded and confirmations and choices take queued
// answers; file dialogs answer with queued choices; started programs and opened addresses are
// recorded; modal dialogs are recorded and not shown (onModal may act in them).
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
    enum class Kind { Information, Error, Confirm, Choose };
    struct Message {
        Kind kind;
        QString title;
        QString text;
        QStringList buttons;  // of a choice, the default one first
    };

    void information(const QString& title, const QString& text) override {
        messages_.append({Kind::Information, title, text, {}});
    }
    void error(const QString& title, const QString& text) override {
        messages_.append({Kind::Error, title, text, {}});
    }
    // The next queued answer; with none queued, Cancel (or No without a Cancel button), the
    // answer that changes nothing.
    Answer confirm(const QString& title, const QString& text, bool withCancel) override {
        messages_.append({Kind::Confirm, title, text, {}});
        if (!answers_.isEmpty()) {
            const Answer answer = answers_.takeFirst();
            if (answer != Answer::Cancel || withCancel) return answer;
        }
        return withCancel ? Answer::Cancel : Answer::No;
    }
    // The next queued choice; with none queued, cancelButton.
    int choose(const QString& title, const QString& text, const QStringList& buttons,
               int defaultButton, int cancelButton) override {
        QStringList shown = buttons;
        if (defaultButton >= 0 && defaultButton < shown.size()) shown.move(defaultButton, 0);
        messages_.append({Kind::Choose, title, text, shown});
        return choices_.isEmpty() ? cancelButton : choices_.takeFirst();
    }

    void queueAnswer(Answer answer) { answers_.append(answer); }
    void queueChoice(int button) { choices_.append(button); }
    const QList<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

    // An empty name answers as Cancel.
    void queueOpen(const QString& fileName, int filterIndex = 0) {
        openAnswers.append({fileName, filterIndex});
    }
    void queueSave(const QString& fileName, int filterIndex = 0) {
        saveAnswers.append({fileName, filterIndex});
    }

    std::optional<TFileChoice> openFileName(const TFileDialogRequest& request) override {
        return answer(openAnswers, request);
    }
    std::optional<TFileChoice> saveFileName(const TFileDialogRequest& request) override {
        return answer(saveAnswers, request);
    }
    bool hasPrinter() override { return printer; }
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
    bool printer = false;
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

    QList<Message> messages_;
    QList<Answer> answers_;
    QList<int> choices_;
};

}  // namespace keldar::test
