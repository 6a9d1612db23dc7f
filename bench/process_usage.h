#pragma once

#include <sys/resource.h>

namespace bench {

// Peak resident memory of this process so far.
inline double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// User and system CPU time of RUSAGE_SELF or RUSAGE_CHILDREN.
inline double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace bench
