#include "project/ClipboardStream.h"

#include "lang/Languages.h"
#include "platform/base/Format.h"
#include "project/RtfHeader.h"

std::string EscapeRtfText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '{' || c == '}') escaped.push_back('\\');
        escaped.push_back(c);
    }
    return escaped;
}

TPrintfStringStream::TPrintfStringStream(std::string text) : TStringStream(std::move(text)) {}

void TPrintfStringStream::WriteRTFHeaderResource(std::string_view name) {
    const std::string_view resource = FindRtfHeaderResource(name);
    // A resource ends at its first NUL, if it has one.
    const std::string_view text = resource.substr(0, resource.find('\0'));
    if (!text.empty()) WriteString(LanguageList->TranslateText(text));
}

void TPrintfStringStream::WriteResString(int id) { WriteString(LanguageList->TranslateResString(id)); }

void TPrintfStringStream::PrintfResString(int id, std::string_view text) {
    WriteString(Format(LanguageList->TranslateResFormat(id), {text}));
}

void TPrintfStringStream::PrintfResFloat(int id, bool show, float value) {
    if (!show) return;
    WriteString(Format(LanguageList->TranslateResFormat(id), {static_cast<double>(value)}));
}

void TPrintfStringStream::WriteIf(bool show, std::string_view text) {
    if (show) WriteString(text);
}
