#include "runs/channel_sink.h"

namespace tolvera {

void startWorkers(const std::vector<WorkerRow> &rows, const WorkerInput &input,
                  const std::shared_ptr<DeliveryChannel> &channel,
                  const std::shared_ptr<const StopFlag> &stop, RunTicket run) {
    for (const WorkerRow &row : rows)
        if (!startWorker(row, input, std::make_shared<ChannelSink>(channel, stop, run)))
            return;
}

} // namespace tolvera
