// The overview's worker tables against the run's definition.
#include "overview/site_workers.h"

#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

using namespace tolvera;

namespace {

struct Expected {
    const char *name;
    StopTest stopTest;
    std::vector<std::string> targets;
    int share;
};

std::vector<std::string> targetsOf(const WorkerRow &row) {
    std::vector<std::string> targets;
    for (const WorkerStep &step : row.steps)
        targets.emplace_back(step.target);
    return targets;
}

void expectTable(const std::vector<WorkerRow> &rows, const std::vector<Expected> &expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_STREQ(rows[i].name, expected[i].name);
        EXPECT_EQ(rows[i].stopTest, expected[i].stopTest) << expected[i].name;
        EXPECT_EQ(targetsOf(rows[i]), expected[i].targets) << expected[i].name;
        EXPECT_EQ(rows[i].share, expected[i].share) << expected[i].name;
    }
}

constexpr StopTest kStart = StopTest::AtStart;

TEST(SiteWorkers, SeventeenWorkersInStartOrderWithTheirFieldsAndShares) {
    expectTable(siteWorkers(),
                {
                    {"Tthread1", kStart, {"Edit2"}, 5},
                    {"Tthread2", StopTest::None, {"Edit3"}, 9},
                    {"Tthread3", kStart, {"Image1"}, 13},
                    {"Tthread4", kStart, {"Edit6"}, 8},
                    {"Tthread5", kStart, {"Edit7"}, 5},
                    {"Tthread6", kStart, {"Edit4"}, 5},
                    {"Tthread7", kStart, {"Edit5"}, 5},
                    {"Tthread8", kStart, {"TXTBD1", "TXTBD3", "TXTBD4", "TXTBD5", "TXTBD6"}, 5},
                    {"Tthread9", kStart, {"TXTBD2"}, 5},
                    {"Tthread10", kStart, {"TXTGG1", "TXTGG3", "TXTGG4", "TXTGG5", "TXTGG6"}, 5},
                    {"Tthread11", kStart, {"TXTGG2"}, 5},
                    {"Tthread12", kStart, {"TXTYH1"}, 5},
                    {"Tthread13", kStart, {"TXTYH2"}, 5},
                    {"Tthread14", kStart, {"TXTSG1", "TXTSG3", "TXTSG4", "TXTSG5", "TXTSG6"}, 5},
                    {"Tthread15", kStart, {"TXTSG2"}, 5},
                    {"Tthread16", kStart, {"TXTYD1", "TXTYD3", "TXTYD4", "TXTYD5", "TXTYD6"}, 5},
                    {"Tthread17", kStart, {"TXTYD2"}, 5},
                });
    const auto &rows = siteWorkers();
    EXPECT_EQ(std::accumulate(rows.begin(), rows.end(), 0,
                              [](int sum, const WorkerRow &row) { return sum + row.share; }),
              100);
}

TEST(SiteWorkers, TheKeywordRankingHasTwoWorkersOfFifty) {
    expectTable(keywordWorkers(), {
                                      {"Tthread18", kStart, {"TXTBDPH1"}, 50},
                                      {"Tthread19", kStart, {"TXTGGPH1"}, 50},
                                  });
}

} // namespace
