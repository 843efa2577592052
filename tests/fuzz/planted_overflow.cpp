// Signed overflow on every input, for the check that fuzz runs stop on it.
#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t size) {
    volatile int largest = INT_MAX;
    largest = largest + static_cast<int>(size % 2) + 1;
    return 0;
}
