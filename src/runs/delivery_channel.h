#pragma once

#include "runs/delivery.h"

#include <QObject>
#include <mutex>

namespace tolvera {

// The window's side of the channel: receives every delivery on its own thread.
class DeliveryReceiver : public QObject {
public:
    using QObject::QObject;
    virtual void receive(const Delivery &delivery) = 0;
};

// Where workers hand their deliveries to the window's thread. Shared by the workers
// (std::shared_ptr) and the window; the window closes it before its receiver goes.
// Posting happens under the channel's lock, so a receiver can never die while a
// worker is posting to it; after close() every post is dropped.
class DeliveryChannel {
public:
    explicit DeliveryChannel(DeliveryReceiver *receiver)
        : receiver_(receiver) {}
    DeliveryChannel(const DeliveryChannel &) = delete;
    DeliveryChannel &operator=(const DeliveryChannel &) = delete;

    // Any thread. False when the channel is closed and the delivery dropped.
    bool post(Delivery delivery);

    // The receiver's thread, before the receiver is destroyed.
    void close();

private:
    std::mutex lock_;
    DeliveryReceiver *receiver_;
};

} // namespace tolvera
