#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

namespace tolvera {

// Hides the window in the tray when it is minimised and brings it back. Where the
// desktop has no tray, hiding would lose the window for good: it then minimises
// as any window does.
class TrayController : public QObject {
    Q_OBJECT
public:
    TrayController(QWidget *window, QMenu *menu, bool trayAvailable);

    bool trayAvailable() const { return available_; }
    QSystemTrayIcon &icon() { return icon_; }

    // Called when the window became minimised (wmsyscommand's minimise).
    void onMinimised();
    // Shows the window again, in front, and removes the icon (left click, N1).
    void restore();
    void removeIcon(); // harmless when none is shown

    void onActivated(QSystemTrayIcon::ActivationReason reason); // wmtraymessage

private:
    QWidget *window_;
    QSystemTrayIcon icon_;
    bool available_;
};

} // namespace tolvera
