#pragma once
// The columns of a list with a multi-line header: per column its titles,
// width, alignments, number format and visibility, plus the order in which
// the columns are shown. A format is filled in three layers: the column
// definitions of a TITLE text named after the header, the active language's
// titles, and the user's layout from the registry. Texts are Windows-1250.

#include "lang/Languages.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCanvas;
class TRegistry;
struct TRect;

enum class THeaderAlignment : std::uint8_t { Left = 0, Right = 1, Center = 2 };
enum class TValueKind : std::uint8_t { Text = 0, Integer = 1, Real = 2 };
enum class TFloatFormat : std::uint8_t { General = 0, Scientific = 1, Fixed = 2 };

// Limits of the numbers a column keeps; wider values are clamped on reading.
constexpr int kMaxColumnWidth = 32767;
constexpr int kMaxDigits = 99;

// Tested by the TITLE reader's inclusion part "[n]" / "[!n]".
constexpr std::uint32_t kInclusionMask = 0xFFFFFFFFu;

// The code of the letter after a "\" in a title: "u" 0, "d" 1, "f" 2, "p" 3,
// "\" 4, ";" 5, any other character 6.
int MarkupCode(char letter);

// One column.
class TListHeaderFormatCol {
public:
    THeaderAlignment TitleAlignment = THeaderAlignment::Left;
    THeaderAlignment DataAlignment = THeaderAlignment::Left;  // of the list's column
    bool Visible = true;
    std::int16_t Id = 0;       // names the column's registry value
    std::int16_t Width = 50;   // in average character widths of the list font
    TValueKind ValueKind = TValueKind::Text;
    std::int16_t Digits = 5;    // significant digits of real values
    std::int16_t Decimals = 3;  // decimals of real values
    bool ShowZero = true;       // zero values are shown (integer and real kinds)
    TFloatFormat FloatFormat = TFloatFormat::General;
    bool Included = true;       // the TITLE inclusion test's result
    bool UserDefined = false;   // the user lines and the factor replace the titles
    float Factor = 1.0f;        // multiplier of real values

    // Lines 0 and 1; another index sets nothing and gets "".
    void SetTitle(int line, std::string text);
    std::string GetTitle(int line) const;
    void SetUserLine(int line, std::string text);
    std::string GetUserLine(int line) const;
    // The line the header shows: the user line when user-defined, else the title.
    std::string ShownLine(int line) const { return UserDefined ? GetUserLine(line) : GetTitle(line); }

    // Reads one column block of a TITLE text from the front of `text`: the
    // width line, the format line and `rows` title lines. False when the
    // text ends before the block does.
    bool ReadFromResource(std::string_view& text, int rows);
    // "[" ["!"] number ["]"] at the front of `text`, consumed; sets Included.
    // Without it the column is included.
    void ParseInclusion(std::string_view& text);
    // The number part at the front of `text`, consumed: [digits] ["." decimals]
    // and the kind letter (E/e, F/f, G/g real; I/i integer; lower case shows
    // zeros; any other letter is text). A missing part changes nothing.
    void ParseNumberFormat(std::string_view& text);

    // The registry value: ["-"] width, title and data alignment letters, the
    // number part, and for a user-defined column "@" line 0 "@" line 1 "@"
    // factor. "50cl5.3f" is a visible column 50 wide, title centred, value
    // left, real with 5 significant digits and 3 decimals, fixed, zeros shown.
    std::string RegistryValue() const;
    // Reads such a value over the column; a missing or unreadable part
    // leaves the fields from there on as they were.
    void ReadRegistryValue(std::string_view value);
    // The value named by Id under the registry object's current key.
    void WriteToRegistry(TRegistry& registry) const;
    // Reads it when it exists as a text; otherwise nothing changes.
    void ReadFromRegistry(const TRegistry& registry);

    // Draws ShownLine(line) in `cell` on the canvas, with the header markup
    // (see DrawHeaderLine), aligned as TitleAlignment.
    void PaintTitle(TCanvas& canvas, int line, const TRect& cell, bool stopAtSemicolon, int lineHeight,
                    int leftMargin) const;

    bool operator==(const TListHeaderFormatCol&) const = default;

private:
    std::array<std::string, 2> titles_;
    std::array<std::string, 2> userLines_;
};

// Draws one header line with its markup in `cell`: "\u" superscript and "\d"
// subscript (2/3 of the font's size, the latter lineHeight / 3 lower), "\f"
// the font "Symbol", "\p" plain again, "\\" a backslash, "\;" the end of the
// line when `stopAtSemicolon` is set; a "\" before another letter is dropped
// with it, and a "\" at the end ends the text. Left alignment starts at
// `leftMargin`; right and centre measure the line first. Every piece is
// clipped to the cell. The canvas's font is the same afterwards.
void DrawHeaderLine(TCanvas& canvas, std::string_view text, THeaderAlignment alignment, bool stopAtSemicolon,
                    const TRect& cell, int lineHeight, int leftMargin);

// The columns and their display order, which is always a permutation of
// the column indexes.
class TListHeaderFormat : public IHeaderTitles {
public:
    TListHeaderFormat() = default;

    // No columns, one row.
    void Clear();

    int RowCount() const override { return rows_; }
    int ColumnCount() const override { return static_cast<int>(columns_.size()); }
    int ColumnId(int index) const override { return columns_.at(static_cast<std::size_t>(index)).Id; }
    void SetTitle(int index, int line, const std::string& text) override;

    // Column i by index (0 <= i < ColumnCount()).
    TListHeaderFormatCol& Column(int index) { return columns_.at(static_cast<std::size_t>(index)); }
    const TListHeaderFormatCol& Column(int index) const { return columns_.at(static_cast<std::size_t>(index)); }
    // The column shown at a display position; null outside 0 .. count - 1.
    TListHeaderFormatCol* ColumnAt(int position);
    const TListHeaderFormatCol* ColumnAt(int position) const;
    // Entry p is the index of the column shown at position p.
    const std::vector<std::int16_t>& Order() const { return order_; }
    // Exchanges two display positions; nothing unless both are valid.
    void SwapColumns(int first, int second);

    // Reads the TITLE resource of that name (when there is one), then puts
    // the active language's titles of that name in. Returns 1.
    int LoadFromResource(std::string_view name);
    // Replaces the format by the columns of a TITLE text: row count R, column
    // count N (each 0 to 32767 on a line of its own), then N column blocks;
    // blocks not included are dropped. Reading stops at the end of the text,
    // keeping the blocks read completely. The display order is the identity.
    void ReadTitleText(std::string_view text);

    // The layout under Software\Lumivar\<programKey>\Headers\<registryName> of
    // the current user: "Order" and one value per column. Nothing is written
    // or read when the name is empty or a key can't be opened; a stored
    // layout never makes loading fail.
    void SaveToRegistry(std::string_view programKey, std::string_view registryName) const;
    void LoadFromRegistry(std::string_view programKey, std::string_view registryName);

    // The ids in display order joined by ",".
    std::string OrderText() const;
    // Reorders by an "Order" text: the columns of the ids it names first (the
    // first column of each id, at most ColumnCount() ids, reading up to the
    // first character that is no digit, sign or ","), then the others by index.
    void ReadOrderText(std::string_view text);

    bool operator==(const TListHeaderFormat& other) const {
        return rows_ == other.rows_ && columns_ == other.columns_ && order_ == other.order_;
    }

private:
    void ResetOrder();

    std::int16_t rows_ = 1;
    std::vector<TListHeaderFormatCol> columns_;
    std::vector<std::int16_t> order_;
};
