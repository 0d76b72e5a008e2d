#include "HelpPictureLabel.h"

#include <algorithm>

#include "HelpPictures.h"

namespace keldar {

// Narrower than this the picture's text would no longer be legible.
static constexpr int kLeastWidth = 120;

THelpPictureLabel::THelpPictureLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void THelpPictureLabel::SetPicture(std::string name) {
    name_ = std::move(name);
    setVisible(!HelpPictureSize(name_).isEmpty());
    updateGeometry();
    Redraw();
}

QSize THelpPictureLabel::sizeHint() const { return HelpPictureSize(name_); }

QSize THelpPictureLabel::minimumSizeHint() const {
    const QSize full = HelpPictureSize(name_);
    if (full.isEmpty()) return {};
    const int width = std::min(kLeastWidth, full.width());
    return {width, heightForWidth(width)};
}

int THelpPictureLabel::heightForWidth(int width) const {
    const QSize full = HelpPictureSize(name_);
    if (full.isEmpty()) return 0;
    return full.height() * std::min(width, full.width()) / full.width();
}

void THelpPictureLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Redraw();
}

void THelpPictureLabel::Redraw() {
    setPixmap(HelpPicture(name_, devicePixelRatioF(), std::max(width(), 1)));
}

}  // namespace keldar
