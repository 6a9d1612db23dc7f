#pragma once

#include "runs/worker_threads.h"
#include "shell/tform1.h"
#include "simulated_web.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace tolvera::test {

// The window as the run tests drive it: a fresh simulated web, settings folder and
// window for every test function. A test class derives from it and calls open()
// in init() and close() in cleanup().
class RunWindow {
protected:
    static constexpr int kSettleLimitMs = 60'000;

    std::unique_ptr<fakeweb::SimulatedWeb> web;
    std::unique_ptr<QTemporaryDir> settingsDir; // a fresh settings file for every test
    std::unique_ptr<TForm1> form;

    // Shown and active, with the vendor panes' loads over: from here on every
    // thread is a run's.
    void open(int tab = 0) {
        web = std::make_unique<fakeweb::SimulatedWeb>();
        settingsDir = std::make_unique<QTemporaryDir>();
        form = std::make_unique<TForm1>(TForm1::Options{false, settingsDir->path()});
        form->findChild<QTabWidget *>("RzPageControl1")->setCurrentIndex(tab);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        settle();
        QApplication::setActiveWindow(form.get());
    }

    // The window first, then every worker it left, then the web they talk to.
    void close() {
        form.reset();
        settle();
        web.reset();
    }

    // Until every worker of every run has ended and its deliveries are in.
    void settle() {
        QTRY_VERIFY_WITH_TIMEOUT(runningThreads() == 0, kSettleLimitMs);
        QCoreApplication::processEvents();
    }
};

} // namespace tolvera::test
