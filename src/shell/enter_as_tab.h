#pragma once

#include <QObject>

class QWidget;

namespace tolvera {

// Enter typed in any control of the window moves the focus to the next control
// in tab order, as Tab would, and goes no further: it never presses a button.
// Installed on the application, because the window's controls receive their
// keys directly.
class EnterAsTab : public QObject {
    Q_OBJECT
public:
    explicit EnterAsTab(QWidget *window);
    ~EnterAsTab() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
};

// The control that Tab would move the focus to from `from`, or nullptr.
QWidget *nextTabStop(QWidget *from);

} // namespace tolvera
