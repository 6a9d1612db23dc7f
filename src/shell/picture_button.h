#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <array>

namespace tolvera {

// A button drawn entirely from pictures: one face each for up, down, stay-down
// (checked) and disabled.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Face { Up, Down, StayDown, Disabled };

    // faces: the resource prefix of the four pictures, e.g. ":/art/query".
    PictureButton(const QString &caption, const QString &faces, QWidget *parent = nullptr);

    Face currentFace() const;
    QSize sizeHint() const override { return {59, 25}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<QPixmap, 4> faces_;
};

} // namespace tolvera
