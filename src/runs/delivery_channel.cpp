#include "runs/delivery_channel.h"

namespace tolvera {

bool DeliveryChannel::post(Delivery delivery) {
    const std::lock_guard guard(lock_);
    DeliveryReceiver *receiver = receiver_;
    if (!receiver)
        return false;
    // Queued to the receiver: if it is destroyed before the call runs, Qt discards
    // the call with the receiver's pending events.
    return QMetaObject::invokeMethod(
        receiver, [receiver, delivery = std::move(delivery)] { receiver->receive(delivery); },
        Qt::QueuedConnection);
}

void DeliveryChannel::close() {
    const std::lock_guard guard(lock_);
    receiver_ = nullptr;
}

} // namespace tolvera
