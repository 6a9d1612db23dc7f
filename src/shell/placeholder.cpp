#include "shell/placeholder.h"

#include <QEvent>
#include <QLineEdit>

namespace tolvera {

Placeholder::Placeholder(QLineEdit *box, QString text)
    : QObject(box)
    , box_(box)
    , text_(std::move(text)) {
    box_->installEventFilter(this);
}

void Placeholder::put() {
    box_->setText(text_);
}

bool Placeholder::isShown() const {
    return box_->text().trimmed() == text_;
}

void Placeholder::onClick() {
    if (isShown())
        box_->clear();
}

void Placeholder::onExit() {
    if (box_->text().trimmed().isEmpty())
        put();
}

bool Placeholder::eventFilter(QObject *watched, QEvent *event) {
    if (watched == box_) {
        if (event->type() == QEvent::MouseButtonPress)
            onClick();
        else if (event->type() == QEvent::FocusOut)
            onExit();
    }
    return false;
}

} // namespace tolvera
