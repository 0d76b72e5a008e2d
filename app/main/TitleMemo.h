// The project title entry: a memo that wraps its text over a few lines but holds one line of at
// most 80 characters, the title record of the data file. Enter starts no new line, and a line
// break in pasted text becomes a blank.
#pragma once

#include <QPlainTextEdit>

namespace keldar {

class TTitleMemo : public QPlainTextEdit {
    Q_OBJECT

  public:
    static constexpr int kMaxLength = 80;

    explicit TTitleMemo(QWidget* parent = nullptr);

    // Shows a stored title as it stands; one longer than the maximum (from an older file) is
    // not cut, it only cannot grow.
    void SetTitle(const QString& title);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void keepOneShortLine();

    qsizetype maxLength_ = kMaxLength;
};

}  // namespace keldar
