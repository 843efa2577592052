#include "lang/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

using namespace std::literals;

// Paragraph heads shared by the item rows.
#define ROW_H1 R"(\pard\plain \s32\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 )"
#define ROW_H2 R"(\pard\plain \s32\sb180\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 )"
#define ROW_H3 R"(\pard\plain \s32\sb180\sa180\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 )"

// The degree sign is the single byte 0xB0; row 105 ends LF CR.
constexpr TResString kRows[] = {
    {16, R"(Rich Text Format)"sv},
    {18, R"(KELVARIN Calculation Item)"sv},
    {96, R"(\pard\tx1440\plain\f3\fs20 {\b #ID_PROJEKT0#:}\tab %s\par)" "\r\n"sv},
    {97, R"(\pard\tx1440\plain\f3\fs20 {\b #ID_PROJEKT1#:}\tab %s\par)" "\r\n"sv},
    {98, R"(\pard\tx1440\plain\f3\fs20 {\b #ID_PROJEKT2#:}\tab %s\par)" "\r\n"sv},
    {99, R"(\pard\tx1440\plain\f3\fs20 {\b #ID_PROJEKT3#:}\tab %s\par)" "\r\n"sv},
    {100, R"(\tab %s\par)" "\r\n"sv},
    {104, R"(\pard\plain \s32\sb180\f4\fs20\lang1038 {\b #ID_CLAUSOLE0# )"sv},
    {105, R"(#ID_CLAUSOLE1#\par })" "\n\r"sv},
    {128, R"(\pard\plain \s31\sb180\f4\fs20\lang1038\tx5040\tqr\tx8640{\b %s}\par )" "\r\n"sv},
    {129, ROW_H1 R"({\b #ID_ITEMRTF1#:}\par #ID_ITEMRTF2#:\tab %.1f\tab mm\par )" "\r\n"sv},
    {130, ROW_H1 R"(#ID_ITEMRTF3#:\tab %.1f\tab mm\par )" "\r\n"sv},
    {131, ROW_H1 R"(#ID_ITEMRTF4#:\tab %.1f\tab m\par )" "\r\n"sv},
    {132, ROW_H1 R"({\b #ID_ITEMRTF5#:}\par #ID_ITEMRTF6#:\tab %.1f * )"sv},
    {133, R"(%.1f\tab mm\par )" "\r\n"sv},
    {134, ROW_H1 R"(#ID_ITEMRTF7#:\tab %.1f\tab mm\par )" "\r\n"sv},
    {135, ROW_H1 R"({\b #ID_ITEMRTF8#:}\par #ID_ITEMRTF9#:\tab %.0f\tab mm\par )" "\r\n"sv},
    {136, ROW_H1 R"({\b #ID_ITEMRTF10#:}\par #ID_ITEMRTF9#:\tab %.0f\tab mm\par )" "\r\n"sv},
    {137, ROW_H1 R"(#ID_ITEMRTF11#:\tab %.0f\tab mm\par )" "\r\n"sv},
    {138, ROW_H1 R"({\b #ID_ITEMRTF12#:}\par #ID_ITEMRTF13#:\tab %.0f\tab mm\par )" "\r\n"sv},
    {139, ROW_H1 R"({\b #ID_ITEMRTF14#:}\par #ID_ITEMRTF15#:\tab %.0f * )"sv},
    {140, R"(%.0f\tab mm\par )" "\r\n"sv},
    {141, ROW_H1 R"(#ID_ITEMRTF16#:\tab %.0f\tab mm\par )" "\r\n"sv},
    {142, ROW_H1 R"({\b #ID_ITEMRTF17#:}\par #ID_ITEMRTF18#:\tab %.2f\tab m{\super 3}\par )" "\r\n"sv},
    {143, ROW_H1 R"(#ID_ITEMRTF19#:\tab %.2f\tab m{\super 2}\par )" "\r\n"sv},
    {144, ROW_H1 R"(#ID_ITEMRTF20#:\tab %.0f\tab mm\par )" "\r\n"sv},
    {145, ROW_H1 R"({\b #ID_ITEMRTF21#:}\par #ID_ITEMRTF2#:\tab %.1f\tab mm\par )" "\r\n"sv},
    {146, ROW_H1 R"(#ID_ITEMRTF18#:\tab %.2f\tab m{\super 3}\par )" "\r\n"sv},
    {147, ROW_H1 R"(#ID_ITEMRTF22#:\tab %4.4g\tab W/mK\par )" "\r\n"sv},
    {148, ROW_H2 R"({\b #ID_ITEMRTF23#:}\par\sb0 #ID_ITEMRTF29#:\tab %s\par )" "\r\n"sv},
    {149, ROW_H1 R"(#ID_ITEMRTF24#:\tab %.1f\tab )" "\xB0" R"(C\tab )"sv},
    {150, R"(#ID_ITEMRTF25#:\tab %.0f\tab %%\par )" "\r\n"sv},
    {151, ROW_H1 R"(#ID_ITEMRTF26#:\tab %.1f\tab kg/m{\super 3}\tab )"sv},
    {152, R"(#ID_ITEMRTF27#:\tab %4.4g\tab kJ/kgK\par )" "\r\n"sv},
    {153, ROW_H1 R"(#ID_ITEMRTF28#:\tab %4.4g\tab m{\super 2}/s\tab )"sv},
    {154, R"(#ID_ITEMRTF22#:\tab %4.4g\tab W/mK\par )" "\r\n"sv},
    {155, ROW_H1 R"(#ID_ITEMRTF30#:\tab %3.3g\tab 1/K\tab )"sv},
    {156, R"(#ID_ITEMRTF31#:\tab %.0f\tab )" "\xB0" R"(C\par )" "\r\n"sv},
    {157, R"(\pard\plain \s32\sb72\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 #ID_ITEMRTF32#:\tab %4.4g\tab )"sv},
    {158, R"(\tab #ID_ITEMRTF33#:\tab %4.4g\tab m/s\par )" "\r\n"sv},
    {159, R"(\pard\plain \s32\f4\fs20\lang1038\tx5040\tqr\tx8640\tx8712 #ID_ITEMRTF34#: %s\tab )"sv},
    {160, R"(#ID_ITEMRTF35#:\tab %4.4g\tab W/m{\super 2}K\par )" "\r\n"sv},
    {161, ROW_H2 R"({\b #ID_ITEMRTF36#:}\par\sb0 #ID_ITEMRTF24#:\tab %.1f\tab )" "\xB0" R"(C\tab )"sv},
    {162, ROW_H1 R"(#ID_ITEMRTF37#:\tab %.1f\tab m/s\tab )"sv},
    {163, R"(#ID_ITEMRTF38#:\tab %.3f\par )" "\r\n"sv},
    {164, ROW_H1 R"(#ID_ITEMRTF38#:\tab %.3f\par )" "\r\n"sv},
    {165, ROW_H2 R"({\b #ID_ITEMRTF39#:}\par\sb0 #ID_ITEMRTF40#:\tab %s\tab\tab )"sv},
    {166, R"(#ID_ITEMRTF22#:\tab %.4f\tab W/mK\par )" "\r\n"sv},
    {167, ROW_H1 R"(#ID_ITEMRTF41#:\tab %.1f\tab mm\par \sb180 {\b #ID_ITEMRTF42#:}\par )" "\r\n"sv},
    {168, ROW_H2 R"({\b #ID_ITEMRTF42#:}\par\sb0 #ID_ITEMRTF43#:\tab %.1f\tab mm\par )"sv},
    {169, ROW_H1 R"(#ID_ITEMRTF44#:\tab %4.4g\tab W/mK\par )" "\r\n"sv},
    {170, ROW_H1 R"(#ID_ITEMRTF44#:\tab %4.4g\tab W/m{\super 2}K\par )" "\r\n"sv},
    {171, ROW_H1 R"({#ID_ITEMRTF45#:\tab %.1f\tab )" "\xB0" R"(C\tab )"sv},
    {172, R"(#ID_ITEMRTF46#:\tab %.1f\tab )" "\xB0" R"(C}\par )" "\r\n"sv},
    {173, ROW_H1 R"({#ID_ITEMRTF47#:\tab %.1f\tab )" "\xB0" R"(C\tab )"sv},
    {174, ROW_H3 R"({\b #ID_ITEMRTF48#}\par )" "\r\n"sv},
    {175, ROW_H3 R"({\b #ID_ITEMRTF49#}\par )" "\r\n"sv},
    {176, ROW_H3 R"({\b #ID_ITEMRTF50#}\par )" "\r\n"sv},
    {177, ROW_H3 R"({\b #ID_ITEMRTF51#}\par )" "\r\n"sv},
    {178, ROW_H3 R"({\b #ID_ITEMRTF52#}\par )" "\r\n"sv},
    {179, ROW_H3 R"({\b #ID_ITEMRTF53#}\par )" "\r\n"sv},
    {180, ROW_H3 R"({\b #ID_ITEMRTF54#}\par )" "\r\n"sv},
    {181, ROW_H1 R"(#ID_ITEMRTF55#:\tab %4.4g\tab W/m\tab )"sv},
    {182, ROW_H1 R"(#ID_ITEMRTF55#:\tab %4.4g\tab W/m{\super 2}\tab )"sv},
    {183, R"(#ID_ITEMRTF56#:\tab %4.4g\tab kW\par )" "\r\n"sv},
    {184, ROW_H1 R"(#ID_ITEMRTF57#:\tab %.1f\tab )" "\xB0" R"(C\tab )"sv},
    {185, R"(#ID_ITEMRTF58#:\tab %4.4g\tab #ID_ITEMRTF59#\par )" "\r\n"sv},
    {187, ROW_H1 R"(#ID_ITEMRTF61#:\tab %4.4g\tab )"sv},
    {188, ROW_H1 R"(#ID_ITEMRTF62#:\tab %4.4g\tab )"sv},
    {189, R"(%s/kWh\tab )"sv},
    {190, R"(#ID_ITEMRTF63#:\tab %4.4g * )"sv},
    {191, R"(%4.4g * )"sv},
    {192, R"(%4.4g\tab #ID_ITEMRTF59#\par )" "\r\n"sv},
    {193, ROW_H1 R"(#ID_ITEMRTF64#:\tab %.1f\tab mm\par )" "\r\n"sv},
    {194, ROW_H2 R"({\b #ID_ITEMRTF65#: %s}\par )" "\r\n"sv},
    {195, R"(%s/m\par )" "\r\n"sv},
    {196, R"(%s/m{\super 2}\par )" "\r\n"sv},
    {198, ROW_H1 R"({\b #ID_ITEMRTF45#:\tab %.1f\tab )" "\xB0" R"(C\tab )"sv},
    {199, ROW_H1 R"({\b #ID_ITEMRTF47#:\tab %.1f\tab )" "\xB0" R"(C\tab )"sv},
    {200, R"(#ID_ITEMRTF66#:\tab %.0f\tab %%\par )" "\r\n"sv},
};

#undef ROW_H1
#undef ROW_H2
#undef ROW_H3

}  // namespace

std::span<const TResString> StringTable() { return kRows; }

std::string_view LoadResString(int id) {
    const auto* row = std::lower_bound(std::begin(kRows), std::end(kRows), id,
                                       [](const TResString& r, int key) { return r.id < key; });
    return row != std::end(kRows) && row->id == id ? row->text : std::string_view{};
}
