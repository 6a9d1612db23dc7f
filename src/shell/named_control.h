#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace tolvera {

// The window's control of that name. Every build type stops here when there is none:
// a control renamed in the layout table must not turn into a null pointer that some
// later click or delivery runs into.
template <typename T = QWidget> T *named(const QWidget *window, const QString &name) {
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("TForm1: the layout has no %s named %s", T::staticMetaObject.className(),
               qPrintable(name));
    return found;
}

} // namespace tolvera
