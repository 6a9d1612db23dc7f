#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace tolvera {

// The hint text an input box shows while it holds no input. It is ordinary text:
// a click into the box removes it, leaving the box empty or blank puts it back.
// Moving into the box with the keyboard leaves it in place.
class Placeholder : public QObject {
    Q_OBJECT
public:
    Placeholder(QLineEdit *box, QString text);

    const QString &text() const { return text_; }
    void put();           // shows the placeholder
    bool isShown() const; // the box's trimmed text is the placeholder
    void onClick();       // Edit1Click and its kin
    void onExit();        // Edit1Exit and its kin

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *box_;
    QString text_;
};

} // namespace tolvera
