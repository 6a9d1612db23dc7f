#pragma once

#include "runs/delivery.h"

#include <array>

namespace tolvera {

// The window's record of the newest run of each kind. A delivery of an older run
// of the same kind is stale and must be dropped. Window's thread only.
class RunLedger {
public:
    RunTicket start(RunKind kind) { return {kind, ++latest_[index(kind)]}; }
    bool isCurrent(const RunTicket &ticket) const {
        return ticket.serial == latest_[index(ticket.kind)];
    }

private:
    static std::size_t index(RunKind kind) { return static_cast<std::size_t>(kind); }
    std::array<unsigned, kRunKinds> latest_{};
};

} // namespace tolvera
