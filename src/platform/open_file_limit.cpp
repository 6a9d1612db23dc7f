#include "platform/open_file_limit.h"

#include <algorithm>
#include <sys/resource.h>

namespace tolvera {

void raiseOpenFileLimit() {
    constexpr rlim_t kEnough = 65536;
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < kEnough) {
        limit.rlim_cur = std::min(limit.rlim_max, kEnough);
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace tolvera
