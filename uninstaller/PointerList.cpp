#include "uninstaller/PointerList.h"

#include <cstdlib>
#include <cstring>
#include <limits>

PointerList::~PointerList() { std::free(items_); }

void PointerList::clear() {
    std::free(items_);
    items_ = nullptr;
    count_ = 0;
}

bool PointerList::resize(int n) {
    if (n == 0) {
        std::free(items_);
        items_ = nullptr;
        return true;
    }
    void* block = std::realloc(items_, static_cast<std::size_t>(n) * sizeof(const void*));
    if (!block) return false;
    items_ = static_cast<const void**>(block);
    return true;
}

const void* PointerList::get(int index) const {
    return index >= 0 && index < count_ ? items_[index] : nullptr;
}

int PointerList::add(const void* pointer, int position) {
    if (indexOf(pointer) >= 0) return -1;
    if (count_ == std::numeric_limits<int>::max() || !resize(count_ + 1)) return -1;
    items_[count_++] = pointer;
    modified_ = true;
    if (position >= 0 && position < count_) (void)move(count_ - 1, position);
    return 1;
}

int PointerList::indexOf(const void* pointer) const {
    for (int i = 0; i < count_; ++i)
        if (items_[i] == pointer) return i;
    return -1;
}

int PointerList::move(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= count_ || to >= count_) return -1;
    const void* moving = items_[from];
    if (from < to)
        std::memmove(items_ + from, items_ + from + 1, static_cast<std::size_t>(to - from) * sizeof(const void*));
    else
        std::memmove(items_ + to + 1, items_ + to, static_cast<std::size_t>(from - to) * sizeof(const void*));
    items_[to] = moving;
    modified_ = true;
    return 1;
}

int PointerList::remove(const void* pointer) {
    const int index = indexOf(pointer);
    if (index < 0) return -1;
    std::memmove(items_ + index, items_ + index + 1, static_cast<std::size_t>(count_ - index - 1) * sizeof(const void*));
    --count_;
    (void)resize(count_);  // a shrink that fails keeps the larger array
    modified_ = true;
    return 1;
}
