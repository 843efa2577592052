#include "platform/base/StringList.h"

#include "platform/base/Exception.h"
#include "platform/base/Stream.h"
#include "platform/base/SysUtils.h"

#include <algorithm>
#include <limits>

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, Count());
    return lines_[static_cast<std::size_t>(index)];
}

std::string& TStringList::operator[](int index) {
    CheckIndex(index, Count());
    return lines_[static_cast<std::size_t>(index)];
}

int TStringList::Add(std::string line) {
    lines_.push_back(std::move(line));
    return Count() - 1;
}

void TStringList::Insert(int index, std::string line) {
    CheckIndex(index, Count() + 1);
    lines_.insert(lines_.begin() + index, std::move(line));
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(std::string_view text) const {
    const auto it = std::find_if(lines_.begin(), lines_.end(),
                                 [text](const std::string& line) { return AnsiSameText(line, text); });
    return it == lines_.end() ? -1 : static_cast<int>(it - lines_.begin());
}

std::string TStringList::Text() const {
    std::size_t length = 0;
    for (const std::string& line : lines_) length += line.size() + 2;
    std::string text;
    text.reserve(length);
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", i), text.size());
        lines.emplace_back(text.substr(i, end - i));
        i = end;
        if (i == text.size()) break;
        if (text[i++] == '\r' && i < text.size() && text[i] == '\n') ++i;  // CR LF is one line end
    }
    lines_.swap(lines);
}

void TStringList::LoadFromStream(TStream& source) {
    const std::int64_t left = source.Size() - source.Position();
    if (left > std::numeric_limits<int>::max()) throw EReadError("Stream read error");
    std::string text(static_cast<std::size_t>(std::max<std::int64_t>(left, 0)), '\0');
    text.resize(static_cast<std::size_t>(source.Read(text.data(), static_cast<int>(text.size()))));
    SetText(text);
}

void TStringList::SaveToStream(TStream& target) const {
    const std::string text = Text();
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw EWriteError("Stream write error");
    target.WriteBuffer(text.data(), static_cast<int>(text.size()));
}
