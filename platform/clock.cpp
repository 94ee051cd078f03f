// SPDX-License-Identifier: GPL-2.0-or-later
// Time of day.
#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace brelvo::platform {

double SecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    const auto fraction = duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
           static_cast<double>(fraction) / 1e6;
}

}  // namespace brelvo::platform
