// Timing harness for the count pipeline, run by hand:
//   build/default/bench/count_bench
// (a) getqty's CPU time on a 1 MiB GB2312 page beside the raw cost of the same
//     decode and the same QRegularExpression search done directly (target <= 1.3);
// (b) all catalogue rows at once on their own threads against services that answer
//     after 100 ms, as wall time / 100 ms (target <= 1.3);
// (c) what TRegExp's remembered Test is worth: Test then Execute on a 1 MiB page text
//     that owns its buffer (Execute starts at the match Test found, or not at all)
//     beside the same text as raw data (Execute searches again).
#include "fake_web.h"
#include "fetch/gethtml.h"
#include "fetch/getqty.h"
#include "platform/charset.h"
#include "platform/tregexp.h"
#include "queries/count_queries.h"
#include "simulated_web.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <future>
#include <vector>

namespace {

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double medianCpuMs(int runs, const std::function<void()> &work) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double start = threadCpuMs();
        work();
        samples.push_back(threadCpuMs() - start);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// About 1 MiB of a Baidu-like GB2312 page; the count sits near its end when asked.
std::string bigGbPage(bool withCount) {
    QByteArray page =
        tolvera::encodeGbk(QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" "
                                          "content=\"text/html; charset=gb2312\"></head><body>\n"));
    const QByteArray line =
        tolvera::encodeGbk(QStringLiteral("<p>网站优化 搜索引擎 收录查询 Result Line ABC</p>\n"));
    while (page.size() < 1024 * 1024)
        page += line;
    if (withCount)
        page += tolvera::encodeGbk(QStringLiteral("<td>找到相关网页约1,234,567篇</td>"));
    page += "</body></html>\n";
    return page.toStdString();
}

void compareWithRawCost(const char *label, bool withCount) {
    const QString pattern = QStringLiteral("找到相关网页(约)?([\\s\\S]+?)篇");
    const std::string body = bigGbPage(withCount);
    fakeweb::FakeWeb web;
    web.route("/s", fakeweb::Reply{200, body, "text/html"});
    const QString address = QString::fromStdString(web.base() + "/s?wd=site:example.com");

    QString result;
    const int runs = 15;
    const double pipeline =
        medianCpuMs(runs, [&] { result = tolvera::getqty(address, "GB2312", pattern); });

    const QByteArray bytes = QByteArray::fromStdString(body);
    bool matched = false;
    const double raw = medianCpuMs(runs, [&] {
        QStringDecoder decoder("GB18030");
        const QString text = decoder.decode(bytes);
        const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption |
                                                 QRegularExpression::MultilineOption);
        matched = re.match(text).hasMatch();
    });
    std::printf(
        "(a) %-22s getqty %7.2f ms  raw decode+search %7.2f ms  ratio %.2f  (result \"%s\", "
        "raw match %s)\n",
        label, pipeline, raw, pipeline / raw, result.toUtf8().constData(), matched ? "yes" : "no");

    // The same work without the fetch: what the pipeline adds to decoding and searching.
    const double afterFetch = medianCpuMs(runs, [&] {
        const QString page = tolvera::pageText("text/html", bytes, "GB2312").value_or(QString());
        tolvera::TRegExp re;
        re.Global = re.Multiline = re.IgnoreCase = true;
        re.Pattern = pattern;
        if (re.Test(page))
            result = tolvera::replacestr(re.Execute(page).Item(0).Value());
    });
    std::printf("    %-22s the same without the fetch %7.2f ms  ratio %.2f\n", label, afterFetch,
                afterFetch / raw);
}

void rememberedTest(const char *label, bool withCount) {
    const QByteArray bytes = QByteArray::fromStdString(bigGbPage(withCount));
    const QString owned = tolvera::pageText("text/html", bytes, "GB2312").value_or(QString());
    const QString raw = QString::fromRawData(owned.constData(), owned.size());
    const auto testThenExecute = [](const QString &page) {
        tolvera::TRegExp re;
        re.Global = re.Multiline = re.IgnoreCase = true;
        re.Pattern = QStringLiteral("找到相关网页(约)?([\\s\\S]+?)篇");
        return re.Test(page) ? re.Execute(page).Count() : 0; // as every caller does
    };
    const double remembered = medianCpuMs(15, [&] { testThenExecute(owned); });
    const double searchedAgain = medianCpuMs(15, [&] { testThenExecute(raw); });
    std::printf("(c) %-22s remembered %7.2f ms  searched again %7.2f ms  saved %.0f %%\n", label,
                remembered, searchedAgain, 100.0 * (1.0 - remembered / searchedAgain));
}

void allRowsAtOnce(const char *label) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::future<QString>> results;
    for (int row = 0; row < tolvera::kCountQueryCount; ++row)
        results.push_back(std::async(std::launch::async, [row] {
            return tolvera::runCount(tolvera::CountQuery(row), "example.com");
        }));
    int zeros = 0;
    for (auto &r : results)
        zeros += r.get() == "0";
    const double wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("(b) %-8s %d rows on %d threads, 100 ms per answer: wall %.1f ms  ratio %.2f  (%d "
                "rows gave 0)\n",
                label, tolvera::kCountQueryCount, tolvera::kCountQueryCount, wallMs, wallMs / 100.0,
                zeros);
}

} // namespace

int main() {
    compareWithRawCost("match near the end", true);
    compareWithRawCost("no match", false);
    rememberedTest("match near the end", true);
    rememberedTest("no match", false);
    fakeweb::SimulatedWeb web; // started once: its server threads are not part of a round
    web.setLatency(std::chrono::milliseconds(100));
    allRowsAtOnce("warm-up"); // the first round also loads the converters and patterns
    for (int round = 0; round < 3; ++round)
        allRowsAtOnce("round");
    return 0;
}
