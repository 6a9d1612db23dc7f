#include "linkaudit/audit_run.h"

#include "fetch/text.h"
#include "linkaudit/audit_numbers.h"
#include "linkaudit/harvest.h"
#include "queries/count_queries.h"
#include "queries/getkz.h"
#include "queries/getters.h"
#include "runs/channel_sink.h"
#include "runs/worker_threads.h"

#include <algorithm>

namespace tolvera {

namespace {

const QString kLinksBack = QStringLiteral("有");
const QString kNoLinkBack = QStringLiteral("无");

template <CountQuery row> Answer count(const WorkerInput &in) {
    return runCount(row, in.site);
}
Answer pageRank(const WorkerInput &in) {
    return getpr(in.site);
}
Answer snapshotDate(const WorkerInput &in) {
    return getkz(in.site);
}
Answer linkCount(const WorkerInput &in) {
    return getlzs(in.site, in.keyword);
}

// The row worker's steps name the link table's fields; each goes to its column.
struct StepColumn {
    const char *field;
    AuditColumn column;
};
constexpr StepColumn kStepColumns[] = {
    {"ggsl", kGoogleColumn},
    {"Pr", kPageRankColumn},
    {"bdsl", kBaiduColumn},
    {"bdkz", kSnapshotColumn},
};
constexpr char kLinkCountStep[] = "lzs";

} // namespace

QString getlzs(const QString &host, const QString &auditedAddress) {
    try {
        LinkTable linked;
        const QString count = getqty1(linked, host);
        const bool back = linked.containsHttp(trimControls(auditedAddress));
        return count + QLatin1Char('/') + (back ? kLinksBack : kNoLinkBack);
    } catch (...) {
        return QStringLiteral("0/") + kNoLinkBack;
    }
}

const WorkerRow &linkRowWorker() {
    static const WorkerRow row = {"Tthread20",
                                  StopTest::BeforeEachStep,
                                  {{"ggsl", count<CQ_GOOGLE_SITE>},
                                   {"Pr", pageRank},
                                   {"bdsl", count<CQ_BAIDU_SITE>},
                                   {"bdkz", snapshotDate},
                                   {kLinkCountStep, linkCount}},
                                  0};
    return row;
}

const std::vector<WorkerRow> &ownSiteWorkers() {
    constexpr StopTest kStop = StopTest::AtStart;
    static const std::vector<WorkerRow> rows = {
        {"Tthread21", kStop, {{"Label3", count<CQ_GOOGLE_SITE>}}, 0},
        {"Tthread22", kStop, {{"Label4", count<CQ_GOOGLE_LINK>}}, 0},
        {"Tthread23", kStop, {{"Label5", pageRank}}, 0},
        {"Tthread24", kStop, {{"Label6", count<CQ_BAIDU_SITE>}}, 0},
        {"Tthread25", kStop, {{"Label7", count<CQ_BAIDU_DOMAIN>}}, 0},
        {"Tthread26", kStop, {{"Label8", snapshotDate}}, 0},
    };
    return rows;
}

AuditRowSink::AuditRowSink(std::shared_ptr<DeliveryChannel> channel,
                           std::shared_ptr<const StopFlag> stop, std::shared_ptr<AuditTally> tally,
                           RunTicket run, int row, int links)
    : channel_(std::move(channel))
    , stop_(std::move(stop))
    , tally_(std::move(tally))
    , run_(run)
    , row_(row)
    , links_(links) {}

void AuditRowSink::postCell(AuditColumn column, const QString &text) {
    channel_->post({run_, QStringLiteral("StringGrid1"), row_, column, text, 0});
}

void AuditRowSink::deliver(const WorkerStep &step, Answer answer) {
    const QString text = std::get<QString>(answer);
    if (qstrcmp(step.target, kLinkCountStep) == 0) {
        takeLinkCount(text);
        return;
    }
    for (const StepColumn &step_column : kStepColumns)
        if (qstrcmp(step.target, step_column.field) == 0)
            postCell(step_column.column, text);
    if (qstrcmp(step.target, "Pr") == 0)
        pageRank_ = text;
}

void AuditRowSink::takeLinkCount(const QString &countAndMark) {
    const qsizetype slash = countAndMark.indexOf(u'/');
    const QString count = slash < 0 ? countAndMark : countAndMark.left(slash);
    const QString mark = slash < 0 ? QString() : countAndMark.mid(slash + 1, 1);
    postCell(kLinksColumn, count);
    postCell(kLinkBackColumn, mark);

    // Both read before anything else: a row whose PageRank is a failure text passes
    // on no weight and is not counted as a link back, whatever its mark says.
    const std::optional<qint64> pr = wholeNumber(pageRank_);
    const std::optional<qint64> n = wholeNumber(count);
    if (!pr || !n)
        return;
    const bool linksBack = trimControls(mark) == kLinksBack;
    if (*n == 0 || trimControls(mark) == kNoLinkBack) {
        postCell(kWeightColumn, QStringLiteral("0"));
    } else if (*n > 0) {
        const double weight = roundTo2(static_cast<double>(*pr) / static_cast<double>(*n));
        postCell(kWeightColumn, numberText(weight));
        const std::lock_guard guard(tally_->linkLock);
        tally_->linkWeightSum += weight;
    }
    if (linksBack) {
        const std::lock_guard guard(tally_->linkLock);
        ++tally_->linkBackCount;
    }
}

void AuditRowSink::finish(int) {
    // Posted under the lock: summaries reach the window in the order they were made,
    // so the last one standing is the one with every row in it.
    const std::lock_guard guard(tally_->linkLock);
    const int done = ++tally_->linkDone;
    const double average = roundTo2(tally_->linkWeightSum / links_);
    channel_->post({run_, QStringLiteral("Label2"), -1, -1, numberText(average), 0});
    channel_->post(
        {run_, QStringLiteral("Label9"), -1, -1, QString::number(tally_->linkBackCount), 0});
    const int percent = std::min(100, static_cast<int>(static_cast<double>(done) / links_ * 100.0));
    channel_->post({run_, QStringLiteral("RzProgressBar2"), -1, -1, {}, percent});
}

void startAudit(const QStringList &hosts, const QString &auditedAddress,
                const std::shared_ptr<DeliveryChannel> &channel,
                const std::shared_ptr<const StopFlag> &linkStop, RunTicket run) {
    // One thread starts the workers, in grid order: creating hundreds of threads on
    // the caller's (the window's) thread would hold it up for tens of milliseconds.
    startThread([hosts, auditedAddress, channel, linkStop, run] {
        auto tally = std::make_shared<AuditTally>();
        const int links = static_cast<int>(hosts.size());
        for (int row = 0; row < links; ++row) {
            auto sink = std::make_shared<AuditRowSink>(channel, linkStop, tally, run, row, links);
            if (!startWorker(linkRowWorker(), {hosts[row], auditedAddress}, std::move(sink)))
                return;
        }
        startWorkers(ownSiteWorkers(), {auditedAddress, QString()}, channel, linkStop, run);
    });
}

} // namespace tolvera
