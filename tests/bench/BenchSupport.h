#pragma once
// What the benchmarks share.

#include <cstdlib>
#include <string_view>

namespace bench_support {

// CTest's smoke run (VALDORINE_BENCH_SMOKE=1): each benchmark shrinks to a
// size that only proves it still runs.
inline bool IsSmokeRun() {
    const char* smoke = std::getenv("VALDORINE_BENCH_SMOKE");
    return smoke && std::string_view(smoke) == "1";
}

}  // namespace bench_support
