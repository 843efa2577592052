#include "platform/win/MessageBox.h"

#include "platform/win/CodePage.h"

#include <cstdio>
#include <utility>

namespace win {
namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

int DefaultAnswer(unsigned flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_YESNOCANCEL:
        case MB_YESNO: return IDYES;
        default: return IDOK;
    }
}

}  // namespace

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    if (Hook()) return Hook()(text, caption, flags);
    std::fprintf(stderr, "%s: %s\n", ToUtf8(CodePage::Cp1250, caption).c_str(),
                 ToUtf8(CodePage::Cp1250, text).c_str());
    return DefaultAnswer(flags);
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

}  // namespace win
