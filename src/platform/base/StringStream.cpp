#include "platform/base/StringStream.h"

#include "platform/base/Exception.h"

#include <algorithm>
#include <limits>

void TStringStream::WriteString(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw EWriteError("Stream write error");
    WriteBuffer(text.data(), static_cast<int>(text.size()));
}

std::string TStringStream::ReadString(int count) {
    const std::int64_t available = std::max<std::int64_t>(Size() - position_, 0);
    std::string text(static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, available)), '\0');
    text.resize(static_cast<std::size_t>(Read(text.data(), static_cast<int>(text.size()))));
    return text;
}
