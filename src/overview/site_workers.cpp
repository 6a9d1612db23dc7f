#include "overview/site_workers.h"

#include "overview/keyword_rank.h"
#include "queries/count_queries.h"
#include "queries/getters.h"
#include "queries/thumbnail.h"

namespace tolvera {

namespace {

QString withScheme(const WorkerInput &in) {
    return QStringLiteral("http://") + in.site;
}

Answer queriedDomain(const WorkerInput &in) {
    return withScheme(in);
}
Answer title(const WorkerInput &in) {
    return gettitle(withScheme(in));
}
// The thumbnail of the run's domain for Image1; nothing to show when none came.
Answer getwebjpg(const WorkerInput &in) {
    if (std::optional<Picture> picture = fetchThumbnail(in.site))
        return std::move(*picture);
    return {};
}
Answer worldRank(const WorkerInput &in) {
    return getwordpm(in.site);
}
Answer pageRank(const WorkerInput &in) {
    return getpr(in.site);
}
Answer sogouRank(const WorkerInput &in) {
    return getsr(in.site);
}
template <CountQuery row> Answer count(const WorkerInput &in) {
    return runCount(row, in.site);
}
Answer baiduPosition(const WorkerInput &in) {
    return rankOn(kBaiduRank, in.site, in.keyword);
}
Answer googlePosition(const WorkerInput &in) {
    return rankOn(kGoogleRank, in.site, in.keyword);
}

// A count step: the row's own field is where its count goes.
template <CountQuery row> WorkerStep countStep() {
    return {countRow(row).field, count<row>};
}

constexpr StopTest kStop = StopTest::AtStart;

} // namespace

const std::vector<WorkerRow> &siteWorkers() {
    static const std::vector<WorkerRow> rows = {
        {"Tthread1", kStop, {{"Edit2", queriedDomain}}, 5},
        {"Tthread2", StopTest::None, {{"Edit3", title}}, 9},
        {"Tthread3", kStop, {{"Image1", getwebjpg}}, 13},
        {"Tthread4", kStop, {{"Edit6", worldRank}}, 8},
        {"Tthread5", kStop, {countStep<CQ_CHINARANK>()}, 5},
        {"Tthread6", kStop, {{"Edit4", pageRank}}, 5},
        {"Tthread7", kStop, {{"Edit5", sogouRank}}, 5},
        {"Tthread8",
         kStop,
         {countStep<CQ_BAIDU_SITE>(), countStep<CQ_BAIDU_SITE_DAY>(),
          countStep<CQ_BAIDU_SITE_WEEK>(), countStep<CQ_BAIDU_SITE_MONTH>(),
          countStep<CQ_BAIDU_SITE_YEAR>()},
         5},
        {"Tthread9", kStop, {countStep<CQ_BAIDU_DOMAIN>()}, 5},
        {"Tthread10",
         kStop,
         {countStep<CQ_GOOGLE_SITE>(), countStep<CQ_GOOGLE_SITE_DAY>(),
          countStep<CQ_GOOGLE_SITE_WEEK>(), countStep<CQ_GOOGLE_SITE_MONTH>(),
          countStep<CQ_GOOGLE_SITE_YEAR>()},
         5},
        {"Tthread11", kStop, {countStep<CQ_GOOGLE_LINK>()}, 5},
        {"Tthread12", kStop, {countStep<CQ_YAHOO_SITE>()}, 5},
        {"Tthread13", kStop, {countStep<CQ_YAHOO_LINK>()}, 5},
        {"Tthread14",
         kStop,
         {countStep<CQ_SOGOU_SITE>(), countStep<CQ_SOGOU_SITE_DAY>(),
          countStep<CQ_SOGOU_SITE_WEEK>(), countStep<CQ_SOGOU_SITE_MONTH>(),
          countStep<CQ_SOGOU_SITE_YEAR>()},
         5},
        {"Tthread15", kStop, {countStep<CQ_SOGOU_LINK>()}, 5},
        {"Tthread16",
         kStop,
         {countStep<CQ_YOUDAO_SITE>(), countStep<CQ_YOUDAO_SITE_DAY>(),
          countStep<CQ_YOUDAO_SITE_WEEK>(), countStep<CQ_YOUDAO_SITE_MONTH>(),
          countStep<CQ_YOUDAO_SITE_YEAR>()},
         5},
        {"Tthread17", kStop, {countStep<CQ_YOUDAO_LINK>()}, 5},
    };
    return rows;
}

const std::vector<WorkerRow> &keywordWorkers() {
    static const std::vector<WorkerRow> rows = {
        {"Tthread18", kStop, {{"TXTBDPH1", baiduPosition}}, 50},
        {"Tthread19", kStop, {{"TXTGGPH1", googlePosition}}, 50},
    };
    return rows;
}

} // namespace tolvera
