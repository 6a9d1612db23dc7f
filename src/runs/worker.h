#pragma once

#include "runs/delivery.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace tolvera {

// A run's stop request: one byte, 1 = stop. Written on the window's thread,
// read by the workers.
using StopFlag = std::atomic<std::uint8_t>;

// What a worker is handed when it starts: copies of the run's texts, so that it
// never reads a control.
struct WorkerInput {
    QString site;    // the domain or host the worker asks about
    QString keyword; // the keyword ranking's keyword; the audit's own address
};

// One query of a worker and the target its answer goes to.
struct WorkerStep {
    const char *target;
    Answer (*ask)(const WorkerInput &input);
};

enum class StopTest {
    None,           // the worker always runs
    AtStart,        // a stop request ends the worker before its first query
    BeforeEachStep, // a stop request skips the step it finds; the worker goes on
};

// One worker: a row of a run's worker table.
struct WorkerRow {
    const char *name; // "Tthread8"
    StopTest stopTest;
    std::vector<WorkerStep> steps;
    int share; // progress added when the worker is done
};

// Where a worker's results go; the run decides what they mean.
class WorkerSink {
public:
    virtual ~WorkerSink() = default;
    virtual bool stopRequested() const = 0;
    virtual void deliver(const WorkerStep &step, Answer answer) = 0;
    // After the last step, skipped or not; not when a stop test at the start ended it.
    virtual void finish(int share) = 0;
};

// The one worker routine: runs the row's steps in order on the calling thread.
void runWorker(const WorkerRow &row, const WorkerInput &input, WorkerSink &sink);

// runWorker on a thread of its own (see startThread). The row must outlive the
// thread: worker tables are static. False when no thread could be made.
bool startWorker(const WorkerRow &row, WorkerInput input, std::shared_ptr<WorkerSink> sink);

} // namespace tolvera
