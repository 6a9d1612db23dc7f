#pragma once

#include "runs/delivery_channel.h"
#include "runs/worker.h"

#include <QStringList>
#include <memory>
#include <mutex>

namespace tolvera {

// The audit grid's columns.
enum AuditColumn {
    kSeqColumn,
    kHostColumn,
    kGoogleColumn,
    kPageRankColumn,
    kBaiduColumn,
    kSnapshotColumn,
    kLinksColumn,
    kLinkBackColumn,
    kWeightColumn,
};
inline constexpr int kAuditColumns = kWeightColumn + 1;
inline const QString kWaiting = QStringLiteral("...");

// The number of links on a linked site's home page and whether one of them points
// back to the audited address (Edit8's text trimmed, as typed): "12/有" or "12/无";
// "0/无" for any failure. Blocks for one fetch; any thread.
QString getlzs(const QString &host, const QString &auditedAddress);

// The row worker, Tthread20: one per link, its five steps each after a stop test.
const WorkerRow &linkRowWorker();
// The audited site's own workers, Tthread21 to Tthread26: Label3 to Label8.
const std::vector<WorkerRow> &ownSiteWorkers();

// The counters of one audit run, shared by its row workers.
struct AuditTally {
    std::mutex linkLock;
    int linkDone = 0;
    int linkBackCount = 0;
    double linkWeightSum = 0;
};

// Where a row worker's results go: its row's cells, the weight the link passes on,
// the run's counters and the summary labels and bar. Every row worker, failed or
// not, ends with the summary and counts once; a row whose PageRank or link count
// is no whole number writes no weight and adds nothing to the sums.
class AuditRowSink : public WorkerSink {
public:
    AuditRowSink(std::shared_ptr<DeliveryChannel> channel, std::shared_ptr<const StopFlag> stop,
                 std::shared_ptr<AuditTally> tally, RunTicket run, int row, int links);

    bool stopRequested() const override { return stop_->load() == 1; }
    void deliver(const WorkerStep &step, Answer answer) override;
    void finish(int share) override;

private:
    void postCell(AuditColumn column, const QString &text);
    void takeLinkCount(const QString &countAndMark);

    std::shared_ptr<DeliveryChannel> channel_;
    std::shared_ptr<const StopFlag> stop_;
    std::shared_ptr<AuditTally> tally_;
    RunTicket run_;
    int row_;
    int links_;
    QString pageRank_ = kWaiting; // the PageRank cell as this worker left it
};

// Starts the row workers, one per host in grid order, then the own-site workers,
// from a thread of their own; returns at once. Stops at the first worker that
// cannot be started.
void startAudit(const QStringList &hosts, const QString &auditedAddress,
                const std::shared_ptr<DeliveryChannel> &channel,
                const std::shared_ptr<const StopFlag> &linkStop, RunTicket run);

} // namespace tolvera
