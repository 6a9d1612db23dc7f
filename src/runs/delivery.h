#pragma once

#include "platform/jpeg_decoder.h"

#include <QString>
#include <variant>

namespace tolvera {

// What one query of a worker found: a text, a picture, or nothing to show.
using Answer = std::variant<std::monostate, QString, Picture>;

// The kinds of run whose workers deliver to the window. A newer run of a kind
// supersedes the older ones of that kind only.
enum class RunKind { Site, Keyword, Audit };
inline constexpr int kRunKinds = 3;

// Which run started a worker: its kind and its serial number among runs of that kind.
struct RunTicket {
    RunKind kind = RunKind::Site;
    unsigned serial = 0;
};

// One hand-over from a worker to the window's thread: an answer for a target, or
// a progress share (target empty), or a bar's new value (target the bar).
struct Delivery {
    RunTicket run;
    QString target;  // the control's name, e.g. "TXTBD1", "StringGrid1"
    int row = -1;    // for a grid cell: its row (0 is the first link)
    int column = -1; // and its column
    Answer answer;
    int share = 0;
};

} // namespace tolvera
