#include "shell/enter_as_tab.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tolvera {

EnterAsTab::EnterAsTab(QWidget *window)
    : QObject(window)
    , window_(window) {
    qApp->installEventFilter(this);
}

EnterAsTab::~EnterAsTab() {
    qApp->removeEventFilter(this);
}

QWidget *nextTabStop(QWidget *from) {
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
            w->window() == from->window())
            return w;
    }
    return nullptr;
}

bool EnterAsTab::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride &&
        event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != window_)
        return false;
    if (event->type() == QEvent::KeyPress)
        if (QWidget *next = nextTabStop(widget))
            next->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace tolvera
