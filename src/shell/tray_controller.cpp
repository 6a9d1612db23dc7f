#include "shell/tray_controller.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace tolvera {

TrayController::TrayController(QWidget *window, QMenu *menu, bool trayAvailable)
    : QObject(window)
    , window_(window)
    , available_(trayAvailable) {
    icon_.setIcon(window->windowIcon());
    icon_.setToolTip(window->windowTitle());
    // The tray host opens the menu on a right click, wherever the tray lives.
    icon_.setContextMenu(menu);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayController::onActivated);
}

void TrayController::onMinimised() {
    if (!available_)
        return;
    icon_.show();
    // Hidden after the state change has run its course, and kept un-minimised, so
    // that showing it again needs nothing but show().
    QTimer::singleShot(0, window_, [window = window_] {
        window->hide();
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    });
}

void TrayController::restore() {
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
    removeIcon();
}

void TrayController::removeIcon() {
    icon_.hide();
}

void TrayController::onActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger)
        restore();
}

} // namespace tolvera
