// Signed overflow on every input: only the check that fuzz runs stop on a
// sanitizer report runs this.
#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t size) {
    volatile int largest = INT_MAX;
    volatile int sum = largest + static_cast<int>(size % 2) + 1;
    return sum == 0 ? 1 : 0;
}
