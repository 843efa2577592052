#pragma once
// "Today" for the programs; tests pin it through a hook.

#include <functional>

namespace win {

struct TDate {
    int Year = 0;
    int Month = 0;  // 1..12
    int Day = 0;    // 1..31
    bool operator==(const TDate&) const = default;
};

// The local date, or the hook's answer when one is installed.
TDate Today();

// Installs a hook and returns the previous one; an empty hook restores the system clock.
std::function<TDate()> SetTodayHook(std::function<TDate()> hook);

}  // namespace win
