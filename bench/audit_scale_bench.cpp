// Scale benchmark of the friend-link audit, run by hand:
//   QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=DIR build/default/bench/audit_scale_bench
//       [links] [endpoint-latency-ms]
// An audited home page with `links` friend links (2000 unless given): the click on
// 查询 (Button4) harvests them and starts one worker thread per link, as the program
// does, against a simulated web in processes of its own. Prints, never asserts:
//   - which way the audit ended: the bar at 100 % and Button4 enabled again; or, when
//     the machine's thread limit stopped the starting of workers (every thread that
//     was started has ended and the bar stays short of 100 %), 停止 (Button5) pressed
//     and Button4 enabled again; or, past a deadline, 停止 pressed all the same;
//   - how many row workers were started (rows whose first figure arrived), how many
//     rows got every figure and how many a failed one, and the own-site workers;
//   - wall time from the click to the end (and to the harvest, and to 100 %);
//   - peak resident memory of this process (getrusage);
//   - peak thread count of this process, /proc/self/status "Threads:" read every 2 ms
//     by a sampling thread (counted in it), and the peak of the program's own thread
//     census, runningThreads();
//   - for every process of the simulated web: its share, peak threads and open
//     descriptors (sampled every 20 ms), the size of its descriptor table (above
//     1024 means a descriptor past what select() can watch), peak resident memory.
//
// How the simulated web is spread. Every row worker makes five requests in a row:
// Google's site count, the PageRank lookup, Baidu's site count, Baidu's snapshot
// search, then the friend's own home page. The workers start within a short time of
// each other and largely move in step, so whichever service they are at can hold up
// to one connection per link at once. cpp-httplib builds that wait with select()
// watch descriptors below 1024 only, so no process should come near that (Debian's
// 0.11.4 in fact waits with poll(), so a process past it still works; the descriptor
// table printed shows whether one was).
//   - The friends come in slices of 500, a tolvera_simweb process each
//     (--friends-from A --friends-to B): the last request of each row goes to the
//     slice's process, which has a thread for every friend of the slice. Friend
//     sites answer after 100 ms.
//   - An endpoint has one address for the whole program, so its load cannot be
//     divided between processes; instead the three endpoints every row asks (Baidu
//     twice, Google, the PageRank lookup) go to different processes, round robin
//     over the slices' processes (--endpoints), and the other endpoints, which only
//     the six own-site workers ask, to the last. Endpoints answer at once
//     (--endpoint-latency 0; the second argument gives them a latency) on 64
//     threads: a connection holds its descriptor only while its answer is made, not
//     for a site's latency. Every process's SimulatedWeb gives all of its ten
//     endpoint servers the same number of threads, so that endpoints with a latency
//     and a thread for every link would need tens of thousands of threads; with a
//     latency, the 64 threads answer the rows' requests in turn.
//   - The first slice's process also serves the audited home page, shop.localhost,
//     linking every slice's friends on their ports (command serve-audited on its
//     standard input, once every slice's port is known); then every slice is told
//     where to link back to (command link-back).
#include "linkaudit/audit_run.h"
#include "platform/open_file_limit.h"
#include "process_usage.h"
#include "queries/endpoints.h"
#include "queries/result_texts.h"
#include "runs/worker_threads.h"
#include "shell/links_tab.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr int kDefaultLinks = 2000;
constexpr int kSliceSize = 500;
constexpr int kSiteLatencyMs = 100;
constexpr int kDefaultEndpointLatencyMs = 0;
constexpr int kEndpointThreads = 64;
constexpr auto kStartLimit = 60s;  // for a simulated web process to be ready
constexpr auto kAuditLimit = 600s; // from the click to the end
constexpr auto kStopLimit = 10s;   // from 停止 to Button4 enabled
constexpr tolvera::Endpoint kRowEndpoints[] = {tolvera::EP_BAIDU, tolvera::EP_GOOGLE_HK,
                                               tolvera::EP_PR_LOOKUP};
const QString kAuditedName = QStringLiteral("shop.localhost");

// Runs the event loop until done() holds or the limit has passed; true when it holds.
bool waitUntil(const std::function<bool()> &done, std::chrono::milliseconds limit) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    bool met = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        met = done();
        if (met || clock.hasExpired(limit.count()))
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    return met;
}

// One tolvera_simweb process: a slice of the friends and some of the endpoints.
struct SimwebProcess {
    int first = 0;
    int last = 0;
    QStringList endpoints;
    int port = 0;
    QProcess process;

    // Reads its output until a line starting with `word`; that line, empty on failure.
    QString readUntil(const QString &word) {
        QElapsedTimer clock;
        clock.start();
        while (!clock.hasExpired(std::chrono::milliseconds(kStartLimit).count())) {
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                const QStringList words = line.split(u' ');
                if (words[0] == QLatin1String("endpoint"))
                    tolvera::setEndpoint(static_cast<tolvera::Endpoint>(words[1].toInt()),
                                         words[2]);
                else if (words[0] == QLatin1String("friends"))
                    port = words[3].toInt();
                if (words[0] == word)
                    return line;
            }
            if (!process.waitForReadyRead(1000) && process.state() == QProcess::NotRunning)
                return {};
        }
        return {};
    }

    QString command(const QString &line, const QString &answer) {
        process.write((line + u'\n').toUtf8());
        process.waitForBytesWritten(1000);
        return readUntil(answer);
    }
};

// Starts the simulated web spread over processes; returns the audited site's address,
// empty on failure.
QString startSimulatedWeb(std::vector<std::unique_ptr<SimwebProcess>> &web, int links,
                          int endpointLatencyMs) {
    const int slices = (links + kSliceSize - 1) / kSliceSize;
    for (int k = 0; k < slices; ++k) {
        auto part = std::make_unique<SimwebProcess>();
        part->first = 1 + k * kSliceSize;
        part->last = std::min(links, (k + 1) * kSliceSize);
        web.push_back(std::move(part));
    }
    for (std::size_t i = 0; i < std::size(kRowEndpoints); ++i)
        web[i % web.size()]->endpoints << QString::number(kRowEndpoints[i]);
    for (int i = 0; i < tolvera::kEndpointCount; ++i)
        if (std::find(std::begin(kRowEndpoints), std::end(kRowEndpoints), i) ==
            std::end(kRowEndpoints))
            web.back()->endpoints << QString::number(i);

    QStringList slicesText;
    for (const auto &part : web) {
        part->process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        part->process.start(
            QStringLiteral(SIMWEB_SERVER),
            {"--friends-from", QString::number(part->first), "--friends-to",
             QString::number(part->last), "--latency", QString::number(kSiteLatencyMs),
             "--endpoint-latency", QString::number(endpointLatencyMs), "--threads",
             QString::number(kEndpointThreads), "--endpoints",
             part->endpoints.isEmpty() ? QStringLiteral("none") : part->endpoints.join(u',')});
        if (part->readUntil(QStringLiteral("ready")).isEmpty() || part->port == 0)
            return {};
        slicesText << QStringLiteral("%1:%2-%3").arg(part->port).arg(part->first).arg(part->last);
    }
    const QString site = web.front()->command(
        QStringLiteral("serve-audited %1 %2").arg(kAuditedName, slicesText.join(u',')),
        QStringLiteral("site"));
    if (site.isEmpty())
        return {};
    const QString address = site.section(u' ', 1);
    for (const auto &part : web)
        if (part->command(QStringLiteral("link-back ") + address, QStringLiteral("linked"))
                .isEmpty())
            return {};
    return address;
}

// A line "Name:   value" of /proc/PID/status, as a number; -1 when absent.
long statusField(const std::string &status, const char *name) {
    std::ifstream in(status);
    const std::string prefix = std::string(name) + ":";
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

long openDescriptors(long pid) {
    DIR *dir = opendir(("/proc/" + std::to_string(pid) + "/fd").c_str());
    if (!dir)
        return -1;
    long count = 0;
    while (const dirent *entry = readdir(dir))
        if (entry->d_name[0] != '.')
            ++count;
    closedir(dir);
    return count;
}

// Peak figures of this process and the simulated web's, from a thread of its own
// that looks every 2 ms (the other processes every 20 ms) until it is stopped.
class Sampler {
public:
    explicit Sampler(std::vector<long> pids)
        : pids_(std::move(pids))
        , peakThreads_(pids_.size(), 0)
        , peakDescriptors_(pids_.size(), 0)
        , thread_([this](std::stop_token stop) { run(stop); }) {}
    ~Sampler() { stop(); }

    void stop() {
        thread_.request_stop();
        if (thread_.joinable())
            thread_.join();
    }

    long peakOwnThreads() const { return peakOwnThreads_; }
    int peakCensus() const { return peakCensus_; }
    long peakThreads(std::size_t i) const { return peakThreads_[i]; }
    long peakDescriptors(std::size_t i) const { return peakDescriptors_[i]; }

private:
    void run(std::stop_token stop) {
        std::mutex lock;
        std::condition_variable_any tick;
        for (long n = 0; !stop.stop_requested(); ++n) {
            peakOwnThreads_ =
                std::max(peakOwnThreads_.load(), statusField("/proc/self/status", "Threads"));
            peakCensus_ = std::max(peakCensus_.load(), tolvera::runningThreads());
            if (n % 10 == 0) {
                for (std::size_t i = 0; i < pids_.size(); ++i) {
                    const std::string status = "/proc/" + std::to_string(pids_[i]) + "/status";
                    peakThreads_[i] = std::max(peakThreads_[i], statusField(status, "Threads"));
                    peakDescriptors_[i] = std::max(peakDescriptors_[i], openDescriptors(pids_[i]));
                }
            }
            std::unique_lock guard(lock);
            tick.wait_for(guard, stop, 2ms, [] { return false; });
        }
    }

    std::vector<long> pids_;
    std::atomic<long> peakOwnThreads_{0};
    std::atomic<int> peakCensus_{0};
    std::vector<long> peakThreads_;     // read after stop()
    std::vector<long> peakDescriptors_; // read after stop()
    std::jthread thread_;
};

QString cellText(const QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

// A figure that says its query failed: a count of 0 (every simulated site is known
// to every engine and has links; a PageRank of 0 is a value), a getter's text for no
// value, or none at all.
bool failed(int column, const QString &text) {
    static const QStringList failures = {tolvera::kWaiting, QString::fromUtf16(tolvera::kNotFound),
                                         QString::fromUtf16(tolvera::kLookupError),
                                         QString::fromUtf16(tolvera::kPageRankError)};
    return text.isEmpty() || failures.contains(text) ||
           (column != tolvera::kPageRankColumn && text == QLatin1String("0"));
}

struct RowCensus {
    int started = 0;     // the first figure arrived
    int complete = 0;    // every figure arrived and none failed
    int failed = 0;      // started, and some figure failed or never came
    QString firstFailed; // the cells of the first such row
};

RowCensus countRows(const QTableWidget *grid) {
    RowCensus census;
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (cellText(grid, row, tolvera::kGoogleColumn) == tolvera::kWaiting)
            continue;
        ++census.started;
        bool ok = true;
        for (const int column :
             {tolvera::kGoogleColumn, tolvera::kPageRankColumn, tolvera::kBaiduColumn,
              tolvera::kSnapshotColumn, tolvera::kLinksColumn, tolvera::kLinkBackColumn})
            ok = ok && !failed(column, cellText(grid, row, column));
        if (ok) {
            ++census.complete;
            continue;
        }
        if (census.failed++ == 0)
            for (int column = 0; column < tolvera::kAuditColumns; ++column)
                census.firstFailed += cellText(grid, row, column) + u' ';
    }
    return census;
}

} // namespace

int main(int argc, char **argv) {
    // libcurl runs with CURLOPT_NOSIGNAL: a peer that closes early must not kill us.
    std::signal(SIGPIPE, SIG_IGN);
    tolvera::raiseOpenFileLimit();
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int links = args.size() > 1 ? args[1].toInt() : kDefaultLinks;
    const int endpointLatencyMs = args.size() > 2 ? args[2].toInt() : kDefaultEndpointLatencyMs;
    if (links <= 0 || endpointLatencyMs < 0) {
        std::printf("usage: audit_scale_bench [links] [endpoint-latency-ms]\n");
        return 2;
    }

    std::vector<std::unique_ptr<SimwebProcess>> web;
    const QString site = startSimulatedWeb(web, links, endpointLatencyMs);
    if (site.isEmpty()) {
        std::printf("the simulated web did not start\n");
        return 1;
    }
    QTemporaryDir settings;
    tolvera::TForm1 form({false, settings.path()});
    form.show();
    const tolvera::LinkControls &controls = form.links();
    controls.Edit8->setText(site);

    std::vector<long> pids;
    for (const auto &part : web)
        pids.push_back(static_cast<long>(part->process.processId()));
    Sampler sampler(pids);

    QElapsedTimer wall;
    double harvestMs = 0;
    int harvested = 0;
    QObject::connect(&form.linksTab(), &tolvera::LinksTab::harvested, [&](int count) {
        harvestMs = wall.nsecsElapsed() / 1e6;
        harvested = count;
    });
    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    wall.start();
    controls.Button4->click(); // returns once the harvest is done and the workers handed on

    // Ends when the bar is full, or when every thread the click started has ended
    // without filling it (seen twice, so that their last deliveries have arrived).
    double fullMs = -1;
    int settledPolls = 0;
    waitUntil(
        [&] {
            if (controls.RzProgressBar2->value() == 100) {
                fullMs = wall.nsecsElapsed() / 1e6;
                return true;
            }
            settledPolls = tolvera::runningThreads() == 0 ? settledPolls + 1 : 0;
            return settledPolls >= 2;
        },
        kAuditLimit);
    const bool endedByItself = fullMs >= 0;
    const bool stuck = !endedByItself && settledPolls >= 2;
    if (!endedByItself) // no more workers will come, or the deadline passed: 停止
        controls.Button5->click();
    waitUntil([&] { return controls.Button4->isEnabled(); }, kStopLimit);
    const double endMs = wall.nsecsElapsed() / 1e6;
    const bool enabled = controls.Button4->isEnabled();
    const double cpuAudit = bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const bool allEnded = tolvera::waitForThreads(60s);
    sampler.stop();

    // The row census, before a stuck audit's stopped rows could change anything more.
    const RowCensus rows = countRows(controls.StringGrid1);
    int ownSite = 0;
    for (int label = 2; label <= 7; ++label) // Label3 .. Label8
        ownSite += controls.labels[label]->text().isEmpty() ? 0 : 1;

    std::printf("audit of %d friend links (%d harvested); friend sites answer after %d ms, "
                "endpoints after %d ms\n",
                links, harvested, kSiteLatencyMs, endpointLatencyMs);
    if (endedByItself)
        std::printf("ended: bar at 100 %% and Button4 %s\n",
                    enabled ? "enabled again" : "NOT enabled again");
    else
        std::printf("ended: %s; 停止 (Button5) pressed, Button4 %s\n",
                    stuck ? "workers no longer started (thread limit), every started thread "
                            "ended short of 100 %"
                          : "no end within the deadline",
                    enabled ? "enabled again" : "NOT enabled again");
    std::printf("row workers started: %d of %d; rows with every figure: %d; rows with a "
                "failed or missing figure: %d; own-site figures: %d of 6\n",
                rows.started, links, rows.complete, rows.failed, ownSite);
    if (rows.failed > 0)
        std::printf("  the first of them: %s\n", rows.firstFailed.toUtf8().data());
    std::printf("wall time from the click: harvest %.1f ms; 100 %% %s; end %.1f ms "
                "(Button4 is enabled by a 500 ms timer)\n",
                harvestMs, fullMs < 0 ? "never" : QByteArray::number(fullMs, 'f', 1).data(), endMs);
    std::printf("peak resident memory: %.1f MiB\n", bench::peakResidentMiB());
    std::printf("peak threads of this process: %ld (/proc/self/status, the sampler's thread "
                "included); peak of the thread census: %d\n",
                sampler.peakOwnThreads(), sampler.peakCensus());
    std::printf("CPU time of this process from the click to the end: %.2f s; %d cores\n", cpuAudit,
                QThread::idealThreadCount());
    if (!allEnded)
        std::printf("threads still running 60 s after the end: %d\n", tolvera::runningThreads());

    std::printf("simulated web, %zu processes:\n", web.size());
    for (std::size_t i = 0; i < web.size(); ++i) {
        SimwebProcess &part = *web[i];
        const std::string status = "/proc/" + std::to_string(pids[i]) + "/status";
        std::printf("  friends %d-%d, endpoints %s: peak threads %ld, peak open descriptors "
                    "%ld, descriptor table %ld, peak resident %.1f MiB\n",
                    part.first, part.last,
                    part.endpoints.isEmpty() ? "none" : part.endpoints.join(u',').toUtf8().data(),
                    sampler.peakThreads(i), sampler.peakDescriptors(i),
                    statusField(status, "FDSize"), statusField(status, "VmHWM") / 1024.0);
    }
    for (const auto &part : web) {
        part->process.closeWriteChannel();
        if (!part->process.waitForFinished(10'000) ||
            part->process.exitStatus() != QProcess::NormalExit)
            std::printf("  friends %d-%d: the process did not end cleanly\n", part->first,
                        part->last);
    }
    std::printf("CPU time of the simulated web's whole life: %.2f s\n",
                bench::cpuSeconds(RUSAGE_CHILDREN));
    return 0;
}
