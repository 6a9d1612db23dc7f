#include "shell/picture_button.h"

#include <QPainter>

namespace tolvera {

PictureButton::PictureButton(const QString &caption, const QString &faces, QWidget *parent)
    : QAbstractButton(parent) {
    setText(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    const char *suffixes[] = {"_up.png", "_down.png", "_staydown.png", "_disabled.png"};
    for (int i = 0; i < 4; ++i)
        faces_[i].load(faces + QLatin1String(suffixes[i]));
}

PictureButton::Face PictureButton::currentFace() const {
    if (!isEnabled())
        return Disabled;
    if (isDown())
        return Down;
    return isChecked() ? StayDown : Up;
}

void PictureButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawPixmap(rect(), faces_[currentFace()]);
}

} // namespace tolvera
