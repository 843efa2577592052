#include "project/RtfHeader.h"

#include "platform/base/SysUtils.h"

namespace {

using namespace std::literals;

// The prologue of the items' clipboard copy. Fonts 4 and 5 and styles 31 and
// 32 are the ones the item rows refer to. Its macros would be expanded, so it
// holds no "#"; it ends inside the document group.
constexpr std::string_view kItemRtfHeader =
    "{\\rtf1\\ansi\\deff4\\deflang1038\r\n"
    "{\\fonttbl{\\f4\\froman\\fcharset238\\fprq2 Times New Roman CE;}"
    "{\\f5\\fswiss\\fcharset238\\fprq2 Arial CE;}}\r\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
    "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue128;"
    "\\red0\\green128\\blue128;\\red0\\green128\\blue0;\\red128\\green0\\blue128;"
    "\\red128\\green0\\blue0;\\red128\\green128\\blue0;\\red128\\green128\\blue128;"
    "\\red192\\green192\\blue192;}\r\n"
    "{\\stylesheet{\\f4\\fs16\\lang1038 \\snext0 Normal;}\r\n"
    "{\\s1\\qc\\sb240\\sa240\\keepn\\b\\f5\\fs28\\lang1038\\kerning28 \\sbasedon0\\snext0 heading 1;}\r\n"
    "{\\s2\\fi170\\sb120\\sa120\\keepn\\b\\f5\\lang1038 \\sbasedon0\\snext0 heading 2;}\r\n"
    "{\\s3\\fi170\\sb240\\sa60\\keepn\\b\\f4\\lang1038 \\sbasedon0\\snext0 heading 3;}\r\n"
    "{\\*\\cs10 \\additive Default Paragraph Font;}\r\n"
    "{\\s31\\sb180\\b\\f4\\fs24\\lang1038 \\sbasedon0\\snext32 Szamitas megnevezes;}\r\n"
    "{\\s32\\f4\\fs24\\lang1038 \\sbasedon0\\snext32 Adatok;}}\r\n"
    "\\paperw11906\\paperh16838\\margl720\\margr360\\margt720\\margb720\\deftab708"
    "\\headery709\\footery709\r\n"sv;

struct TRtfHeaderResource {
    std::string_view name;
    std::string_view text;
};

constexpr TRtfHeaderResource kResources[] = {
    {"ITEMRTFHEADER"sv, kItemRtfHeader},
};

}  // namespace

std::string_view FindRtfHeaderResource(std::string_view name) {
    for (const auto& resource : kResources)
        if (AnsiSameText(resource.name, name)) return resource.text;
    return {};
}
