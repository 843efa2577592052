#pragma once
// A list of borrowed pointers, each held at most once. The list owns its array,
// never what the pointers point to. The registry walk keeps the names of the
// current key path on it. Failures are return values: 1 success, -1 failure.

#include <cstdint>

class PointerList {
public:
    PointerList() = default;
    PointerList(const PointerList&) = delete;
    PointerList& operator=(const PointerList&) = delete;
    ~PointerList();

    // Frees the array; the list is empty afterwards.
    void clear();

    int count() const { return count_; }
    // Set by every add, move and remove; the list never clears it.
    bool modified() const { return modified_; }

    // The pointer at index, or null when index is out of range.
    const void* get(int index) const;
    // -1 when the pointer is already held or the array can't grow; else appends it,
    // moves it to position when 0 <= position < count(), and gives 1.
    int add(const void* pointer, int position);
    // Index of the pointer, -1 when absent.
    int indexOf(const void* pointer) const;
    // Moves the entry at from to to, shifting those between; -1 (nothing changes)
    // when from == to or either is out of range.
    int move(int from, int to);
    // Removes the first entry equal to pointer; -1 when absent.
    int remove(const void* pointer);

private:
    bool resize(int n);

    bool modified_ = false;
    const void** items_ = nullptr;  // malloc'd
    int count_ = 0;
};
