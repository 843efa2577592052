#include "platform/base/Canvas.h"

#include <cstdint>
#include <cstdlib>

namespace {

// a * b / c rounded half away from zero, as Win32's MulDiv; 0 for c = 0.
int MulDiv(int a, int b, int c) {
    if (c == 0) return 0;
    const std::int64_t n = std::int64_t(a) * b;
    const std::int64_t q = (std::llabs(n) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>((n < 0) != (c < 0) ? -q : q);
}

}  // namespace

int TFont::Height() const { return -MulDiv(size_, pixelsPerInch_, 72); }

void TFont::SetHeight(int pixels) { size_ = -MulDiv(pixels, 72, pixelsPerInch_); }

bool TFont::operator==(const TFont& other) const {
    return name_ == other.name_ && size_ == other.size_ && style_ == other.style_ && color_ == other.color_ &&
           pixelsPerInch_ == other.pixelsPerInch_;
}
