#pragma once
// A stream over a text: reads and writes work at the position like those of
// any stream, and DataString is the whole text.

#include "platform/base/MemoryStream.h"

#include <string>
#include <string_view>

class TStringStream : public TCustomMemoryStream {
public:
    // Holds the initial text, positioned at its start.
    explicit TStringStream(std::string text = {}) : TCustomMemoryStream(std::move(text)) {}

    // The whole text; valid until the stream changes.
    const std::string& DataString() const { return bytes_; }

    // Writes the text at the position (at the end it appends).
    void WriteString(std::string_view text);
    // Up to `count` bytes from the position; fewer at the end.
    std::string ReadString(int count);
};
