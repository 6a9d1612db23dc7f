// The cuts that turn a page text into a figure: every count pattern of the
// catalogue, the four getters, the snapshot date and the keyword position. The
// first line is the site asked about, the second the keyword, the rest the page
// (UTF-8, lowered as getHTML delivers it).

#include "fetch/getqty.h"
#include "fetch/text.h"
#include "fuzz_input.h"
#include "overview/keyword_rank.h"
#include "queries/count_queries.h"
#include "queries/getkz.h"
#include "queries/getters.h"
#include "queries/result_texts.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// The catalogue's distinct patterns: many rows share one.
const QStringList &countPatterns() {
    static const QStringList patterns = [] {
        QStringList all;
        for (int i = 0; i < tolvera::kCountQueryCount; ++i) {
            const QString pattern =
                QString::fromUtf16(tolvera::countRow(static_cast<tolvera::CountQuery>(i)).pattern);
            if (!all.contains(pattern))
                all.append(pattern);
        }
        return all;
    }();
    return patterns;
}

// The count as getqty defines it, straight from QRegularExpression: the digits of the
// pattern's first match, "0" for none. TRegExp starts its search where Test found the
// match; the figure must be the same.
QString plainCount(const QString &page, const QString &pattern) {
    const QRegularExpression regex(pattern, QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = regex.match(page);
    return match.hasMatch() ? tolvera::replacestr(match.captured(0)) : QStringLiteral("0");
}

bool onlyDigits(const QString &text) {
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

bool isPosition(const QString &text) {
    if (text == QString::fromUtf16(tolvera::kNoEntries) || text == u"0")
        return true;
    bool ok = false;
    return text.toInt(&ok) > 0 && ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using fuzzing::require;
    fuzzing::Input input(data, size);
    const QString site = fuzzing::typedSite(input.line());
    const QString keyword = QString::fromUtf8(input.line());
    const QString page = tolvera::asciiLower(QString::fromUtf8(input.rest()));

    for (const QString &pattern : countPatterns()) {
        const QString count = tolvera::qtyFromPage(page, pattern);
        require(onlyDigits(count), "a count is digits only", count);
        require(count == plainCount(page, pattern), "the count is the first match's digits", count);
    }
    require(onlyDigits(tolvera::replacestr(page)), "replacestr keeps digits only");

    const QString notFound = QString::fromUtf16(tolvera::kNotFound);
    const QString pageRank = tolvera::prFromPage(page);
    require(pageRank.size() <= 2 || pageRank == notFound ||
                pageRank == QString::fromUtf16(tolvera::kPageRankError),
            "a PageRank is one character", pageRank);
    (void)tolvera::srFromPage(page);
    (void)tolvera::wordpmFromPage(page, site);
    const QString title = tolvera::titleFromPage(page);
    require(!title.contains(u'<') || title == notFound, "a title holds no tag", title);
    (void)tolvera::kzFromPage(page, site);

    for (const tolvera::RankEngine *engine : {&tolvera::kBaiduRank, &tolvera::kGoogleRank}) {
        const QString position =
            tolvera::phFromPage(site, page, keyword, QString::fromUtf16(engine->entryPattern));
        require(isPosition(position), "a position is a number or the no-entries text", position);
    }
    return 0;
}
