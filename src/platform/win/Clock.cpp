#include "platform/win/Clock.h"

#include <ctime>
#include <utility>

namespace win {
namespace {

std::function<TDate()>& Hook() {
    static std::function<TDate()> hook;
    return hook;
}

}  // namespace

TDate Today() {
    if (Hook()) return Hook()();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&now, &local)) return {1970, 1, 1};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::function<TDate()> SetTodayHook(std::function<TDate()> hook) {
    return std::exchange(Hook(), std::move(hook));
}

}  // namespace win
