// Minimise to the tray and back, with and without a system tray.
#include "hermetic_home.h"
#include "shell/tform1.h"
#include "shell/tray_controller.h"
#include "shell/vendor_panes.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

using tolvera::TForm1;

class TrayTest : public QObject {
    Q_OBJECT

    QTemporaryDir documents;

    std::unique_ptr<TForm1> shownForm(bool trayAvailable) {
        auto form = std::make_unique<TForm1>(TForm1::Options{trayAvailable, documents.path()});
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return nullptr;
        return form;
    }

private slots:
    void minimiseHidesInTheTrayAndLeftClickRestores() {
        auto form = shownForm(true);
        QVERIFY(form);
        QSystemTrayIcon &icon = form->tray().icon();
        QVERIFY(!icon.isVisible()); // prepared at creation, not shown
        QCOMPARE(icon.toolTip(), QString("Tolvera站长工具 V2.03"));
        QVERIFY(!icon.icon().isNull());

        form->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(icon.isVisible());

        emit icon.activated(QSystemTrayIcon::DoubleClick); // ignored
        QVERIFY(!form->isVisible());
        emit icon.activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(form->isVisible());
        QVERIFY(!(form->windowState() & Qt::WindowMinimized));
        QVERIFY(!icon.isVisible());
    }

    void rightClickOffersTheMenuAndN1Restores() {
        auto form = shownForm(true);
        QVERIFY(form);
        QSystemTrayIcon &icon = form->tray().icon();
        QCOMPARE(icon.contextMenu(), form->PopupMenu1());
        form->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!form->isVisible());
        form->findChild<QAction *>("N1")->trigger();
        QTRY_VERIFY(form->isVisible());
        QVERIFY(!icon.isVisible());
    }

    void N2EndsTheProgramFromTheTrayAndLeavesNoIcon() {
        auto form = shownForm(true);
        QVERIFY(form);
        QSignalSpy closed(form.get(), &TForm1::closed);
        form->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(form->tray().icon().isVisible());
        form->findChild<QAction *>("N2")->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!form->tray().icon().isVisible());
    }

    void anyCloseEndsTheProgram() {
        auto form = shownForm(true);
        QVERIFY(form);
        QSignalSpy closed(form.get(), &TForm1::closed);
        QVERIFY(form->close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!form->tray().icon().isVisible());
    }

    void withoutATrayMinimiseKeepsTheWindow() {
        auto form = shownForm(false);
        QVERIFY(form);
        form->setWindowState(Qt::WindowMinimized);
        QApplication::processEvents(); // the tray path hides on the next turn of the loop
        QApplication::processEvents();
        QVERIFY(form->isVisible());
        QVERIFY(form->windowState() & Qt::WindowMinimized);
        QVERIFY(!form->tray().icon().isVisible());
    }

    void everyReturnFromTheTrayReloadsThePanes() {
        auto form = shownForm(true);
        QVERIFY(form);
        int loads = 0;
        connect(&form->leftPane(), &tolvera::VendorPane::settled, this, [&] { ++loads; });
        form->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!form->isVisible());
        emit form->tray().icon().activated(QSystemTrayIcon::Trigger);
        QTRY_COMPARE(loads, 1);
    }
};

TOLVERA_GUI_TEST_MAIN(TrayTest)
#include "tray_test.moc"
