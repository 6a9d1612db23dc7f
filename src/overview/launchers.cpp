#include "overview/launchers.h"

#include "queries/count_queries.h"
#include "queries/endpoints.h"

#include <array>

namespace tolvera {

namespace {

struct EngineName {
    const char *control;
    Endpoint home;
};
constexpr std::array<EngineName, 5> kEngineNames = {{
    {"Image2", EP_BAIDU},
    {"Image3", EP_GOOGLE_HK},
    {"Image4", EP_YAHOO_SITEMAP},
    {"Image5", EP_SOGOU},
    {"Image6", EP_YOUDAO},
}};

// Yahoo has no time windows: its four window cells open the back-link page.
constexpr std::array<const char *, 4> kYahooWindowCells = {"TXTYH3", "TXTYH4", "TXTYH5", "TXTYH6"};

std::optional<CountQuery> countBehind(const QString &control) {
    for (const char *cell : kYahooWindowCells)
        if (control == QLatin1String(cell))
            return CQ_YAHOO_LINK;
    for (int i = 0; i < kCountQueryCount; ++i) {
        const auto row = static_cast<CountQuery>(i);
        if (row != CQ_CHINARANK && control == QLatin1String(countRow(row).field))
            return row;
    }
    return std::nullopt;
}

} // namespace

const QStringList &launcherControls() {
    static const QStringList controls = [] {
        QStringList names{QStringLiteral("Image1")};
        for (const EngineName &engine : kEngineNames)
            names << QLatin1String(engine.control);
        for (const char *engine : {"BD", "GG", "YH", "SG", "YD"})
            for (int row = 1; row <= 6; ++row)
                names << QStringLiteral("TXT%1%2").arg(QLatin1String(engine)).arg(row);
        return names;
    }();
    return controls;
}

std::optional<QString> launcherAddress(const QString &control, const QString &domain) {
    if (control == QLatin1String("Image1")) {
        if (domain.isEmpty())
            return std::nullopt;
        return domain;
    }
    for (const EngineName &engine : kEngineNames)
        if (control == QLatin1String(engine.control))
            return endpoint(engine.home) + QLatin1Char('/');
    if (const std::optional<CountQuery> row = countBehind(control))
        return countAddress(*row, domain);
    return std::nullopt;
}

} // namespace tolvera
