#include "runs/worker.h"

#include "runs/worker_threads.h"

namespace tolvera {

void runWorker(const WorkerRow &row, const WorkerInput &input, WorkerSink &sink) {
    if (row.stopTest == StopTest::AtStart && sink.stopRequested())
        return;
    for (const WorkerStep &step : row.steps) {
        if (row.stopTest == StopTest::BeforeEachStep && sink.stopRequested())
            continue;
        sink.deliver(step, step.ask(input));
    }
    sink.finish(row.share);
}

bool startWorker(const WorkerRow &row, WorkerInput input, std::shared_ptr<WorkerSink> sink) {
    return startThread(
        [&row, input = std::move(input), sink = std::move(sink)] { runWorker(row, input, *sink); });
}

} // namespace tolvera
