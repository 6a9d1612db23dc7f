#pragma once

#include <QWidget>

namespace tolvera {

// A background picture of the window: the banner (RzBackground3) or a tab page's
// backdrop (RzBackground1, RzBackground2) with the fixed captions, frames and the
// count grid's lines drawn as text and lines where the controls expect them.
class CaptionBackdrop : public QWidget {
    Q_OBJECT
public:
    explicit CaptionBackdrop(const QString &which, QWidget *parent = nullptr);

    // Every caption this backdrop draws, for checking what is on screen.
    QStringList captions() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString which_;
};

} // namespace tolvera
