// The one worker routine: stop tests, step order, the share at the end.
#include "runs/worker.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tolvera;

namespace {

// Records what a worker hands over; the stop flag is read once per test.
class RecordingSink : public WorkerSink {
public:
    explicit RecordingSink(std::vector<bool> stops)
        : stops_(std::move(stops)) {}

    bool stopRequested() const override {
        const bool stop = tests_ < stops_.size() && stops_[tests_];
        ++tests_;
        return stop;
    }
    void deliver(const WorkerStep &step, Answer answer) override {
        log.push_back(std::string(step.target) + "=" + std::get<QString>(answer).toStdString());
    }
    void finish(int share) override { log.push_back("share " + std::to_string(share)); }

    std::vector<std::string> log;

private:
    std::vector<bool> stops_; // what each successive stop test finds
    mutable std::size_t tests_ = 0;
};

Answer echo(const WorkerInput &in) {
    return in.site + "/" + in.keyword;
}

WorkerRow row(StopTest test) {
    return {"Tthread", test, {{"A", echo}, {"B", echo}, {"C", echo}}, 5};
}

struct Case {
    const char *name;
    StopTest test;
    std::vector<bool> stops;
    std::vector<std::string> expected;
};

TEST(Worker, StopTestsDecideWhatRunsAndWhetherTheShareIsAdded) {
    const std::vector<std::string> all = {"A=s/k", "B=s/k", "C=s/k", "share 5"};
    const Case cases[] = {
        {"no stop", StopTest::AtStart, {false}, all},
        {"stopped at the start: nothing at all", StopTest::AtStart, {true}, {}},
        {"a stop after the start test changes nothing",
         StopTest::AtStart,
         {false, true, true},
         all},
        {"no stop test", StopTest::None, {true, true, true}, all},
        {"each step tested: the stopped one is skipped",
         StopTest::BeforeEachStep,
         {false, true, false},
         {"A=s/k", "C=s/k", "share 5"}},
        {"all steps skipped still finish",
         StopTest::BeforeEachStep,
         {true, true, true},
         {"share 5"}},
    };
    for (const Case &c : cases) {
        RecordingSink sink(c.stops);
        runWorker(row(c.test), {"s", "k"}, sink);
        EXPECT_EQ(sink.log, c.expected) << c.name;
    }
}

} // namespace
