#pragma once

#include "runs/delivery_channel.h"
#include "runs/worker.h"

#include <memory>

namespace tolvera {

// The sink of a worker whose every answer and share goes to the window as is,
// marked with the run that started it.
class ChannelSink : public WorkerSink {
public:
    ChannelSink(std::shared_ptr<DeliveryChannel> channel, std::shared_ptr<const StopFlag> stop,
                RunTicket run)
        : channel_(std::move(channel))
        , stop_(std::move(stop))
        , run_(run) {}

    bool stopRequested() const override { return stop_->load() == 1; }
    void deliver(const WorkerStep &step, Answer answer) override {
        if (!std::holds_alternative<std::monostate>(answer))
            channel_->post({run_, QString::fromLatin1(step.target), -1, -1, std::move(answer), 0});
    }
    void finish(int share) override { channel_->post({run_, QString(), -1, -1, {}, share}); }

private:
    std::shared_ptr<DeliveryChannel> channel_;
    std::shared_ptr<const StopFlag> stop_;
    RunTicket run_;
};

// Starts one worker per row, in order, each with a ChannelSink of the run. Stops at
// the first worker that cannot be started.
void startWorkers(const std::vector<WorkerRow> &rows, const WorkerInput &input,
                  const std::shared_ptr<DeliveryChannel> &channel,
                  const std::shared_ptr<const StopFlag> &stop, RunTicket run);

} // namespace tolvera
