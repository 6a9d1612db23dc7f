// The delivery channel: workers on many threads, the receiver on its own thread,
// and nothing reaching a receiver after the channel is closed.
#include "runs/delivery_channel.h"
#include "runs/worker_threads.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QtTest>
#include <memory>

using namespace tolvera;

namespace {

class Collector : public DeliveryReceiver {
public:
    void receive(const Delivery &delivery) override {
        Q_ASSERT(thread() == QThread::currentThread());
        received.push_back(delivery.share);
    }
    std::vector<int> received;
};

// Processes events until every started thread has ended and their posts are in.
void drain() {
    QDeadlineTimer deadline(10'000);
    while (runningThreads() > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

} // namespace

class ChannelTest : public QObject {
    Q_OBJECT
private slots:
    void everyPostArrivesOnTheReceiversThreadInOrderPerWorker() {
        Collector collector;
        auto channel = std::make_shared<DeliveryChannel>(&collector);
        constexpr int kWorkers = 20, kPosts = 50;
        for (int w = 0; w < kWorkers; ++w)
            QVERIFY(startThread([channel, w] {
                for (int i = 0; i < kPosts; ++i)
                    channel->post({{}, {}, -1, -1, {}, w * 1000 + i});
            }));
        drain();
        QCOMPARE(int(collector.received.size()), kWorkers * kPosts);
        std::vector<int> last(kWorkers, -1);
        for (const int share : collector.received) {
            QVERIFY(share % 1000 > last[share / 1000]);
            last[share / 1000] = share % 1000;
        }
    }

    void aClosedChannelDropsEverything() {
        auto collector = std::make_unique<Collector>();
        auto channel = std::make_shared<DeliveryChannel>(collector.get());
        QVERIFY(channel->post({{}, {}, -1, -1, {}, 1}));
        channel->close();
        QVERIFY(!channel->post({{}, {}, -1, -1, {}, 2}));
        collector.reset(); // the post queued before the close dies with its receiver
        QCoreApplication::processEvents();
    }

    void workersPostingWhileTheReceiverGoesNeverReachIt() {
        for (int round = 0; round < 20; ++round) {
            auto collector = std::make_unique<Collector>();
            auto channel = std::make_shared<DeliveryChannel>(collector.get());
            for (int w = 0; w < 4; ++w)
                QVERIFY(startThread([channel] {
                    for (int i = 0; i < 200; ++i)
                        channel->post({{}, {}, -1, -1, {}, i});
                }));
            QCoreApplication::processEvents();
            channel->close(); // as the window does before its receiver goes
            collector.reset();
            drain(); // under the sanitizers a late call into the dead receiver would show
        }
    }
};

QTEST_GUILESS_MAIN(ChannelTest)
#include "channel_test.moc"
