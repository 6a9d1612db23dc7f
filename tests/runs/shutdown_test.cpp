// The program's end: requests in flight are aborted and every thread is waited
// for. The shutdown token stays raised, so this runs in a process of its own.
#include "fake_web.h"
#include "fetch/gethtml.h"
#include "platform/shutdown.h"
#include "runs/worker_threads.h"

#include <QDeadlineTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace tolvera;

namespace {

const QString kMarker = QString::fromUtf16(kFetchFailure);

TEST(Shutdown, AbortsStalledRequestsAndWaitsForEveryThread) {
    fakeweb::FakeWeb web;
    fakeweb::Reply stalled{200, std::string(64 * 1024, 'x')};
    stalled.delivery = fakeweb::Reply::Delivery::Stall; // half the body, then silence
    web.route("/stall", stalled);
    const QString address = QString::fromStdString(web.base() + "/stall");

    constexpr int kWorkers = 8;
    std::atomic<int> failed{0};
    for (int i = 0; i < kWorkers; ++i)
        ASSERT_TRUE(startThread([&] {
            if (getHTML(address, "utf-8") == kMarker)
                ++failed;
        }));
    QDeadlineTimer arrived(10'000);
    while (web.requests().size() < kWorkers && !arrived.hasExpired())
        std::this_thread::yield();
    ASSERT_EQ(web.requests().size(), std::size_t(kWorkers));

    // The requests would otherwise wait for their 30 s limit.
    EXPECT_TRUE(endAllThreads(std::chrono::milliseconds(900)));
    EXPECT_EQ(failed.load(), kWorkers);
    EXPECT_EQ(runningThreads(), 0);

    // After the end nothing new is fetched.
    EXPECT_EQ(getHTML(QString::fromStdString(web.base() + "/"), "utf-8"), kMarker);
    EXPECT_TRUE(shutdownRequested());
}

} // namespace
