#pragma once
// The multi-line column header drawn above a TListViewWithHeader: its columns
// come from a header format named by FormatName (a TITLE resource, the
// language's titles, then the user's layout from the registry). It builds the
// list's columns, follows the list's horizontal scrolling, opens the header
// editor and keeps the editor's window placement in the registry.

#include "listheader/Listheaderformat.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QEvent;
class QPaintEvent;
class TCanvas;
class TForm;
class TListViewWithHeader;
class TRegistry;
struct TRect;

// The font measures a header lays out with, in pixels.
struct THeaderMetrics {
    int lineHeight = 0;        // character height + external leading
    int averageCharWidth = 0;
    int externalLeading = 0;

    bool operator==(const THeaderMetrics&) const = default;
};

// QFontMetrics' height() + leading(), averageCharWidth() and leading(), or
// what the installed hook answers for the font.
THeaderMetrics MeasureHeaderFont(const QFont& font);
using HeaderMetricsHook = std::function<THeaderMetrics(const QFont& font)>;
// Installs a hook (tests fix the metrics) and returns the previous one; an
// empty hook measures again.
HeaderMetricsHook SetHeaderMetricsHook(HeaderMetricsHook hook);

// Reads a window placement text "Left,Top,Width,Height" over `placement`:
// Left and Top each when a "," follows them, Width only for a sizeable
// window, then Height from what remains. Nullopt when a field is no integer.
std::optional<QRect> ReadPlacementText(std::string_view text, QRect placement, bool sizeable);

class TListHeader : public QWidget {
    Q_OBJECT

public:
    // An empty format, 65 x 65 pixels; the program key, FormatName and
    // RegistryName empty.
    explicit TListHeader(QWidget* owner = nullptr);
    ~TListHeader() override;

    // Cells are drawn shifted left by `offset` pixels.
    void SetScrollPos(std::int16_t offset);
    std::int16_t ScrollPos() const { return scrollOffset_; }

    // The header's font (StyleChanged follows every change).
    QFont Font() const { return font(); }
    void SetFont(const QFont& font) { setFont(font); }

    // Clears the format and reads the TITLE resource of that name with the
    // language's titles; the list's columns are not rebuilt.
    void SetFormatName(std::string name);
    const std::string& FormatName() const { return formatName_; }
    // The layout's name under the program key's "Headers".
    void SetRegistryName(std::string name) { registryName_ = std::move(name); }
    const std::string& RegistryName() const { return registryName_; }
    const std::string& ProgramKey() const { return programKey_; }

    TListHeaderFormat& Format() { return format_; }
    const TListHeaderFormat& Format() const { return format_; }
    // Zero until the first StyleChanged.
    const THeaderMetrics& Metrics() const { return metrics_; }

    // Measures the font, sets the height to line height x rows + external
    // leading + 4, and repaints.
    void StyleChanged();
    // Keeps the list (not owned) and builds its columns.
    void SetList(TListViewWithHeader* list);
    TListViewWithHeader* List() const;
    // The list's columns: one per visible column in display order, width x
    // average character width pixels wide, aligned as its values.
    void SetListColumns();
    // The cell of each display position: x and width in pixels, the width 0
    // for a hidden column.
    QRect CellRect(int position) const;
    // Draws, in the header's font, the cells that meet the canvas's clip
    // rectangle: button face, the title rows, a raised frame.
    void Paint(TCanvas& canvas) const;

    // Stores the program key, reads the user's layout and rebuilds the columns.
    void LoadFromRegistry(std::string programKey);
    // Runs the header editor; on OK clears the list's items, rebuilds its
    // columns and scrolls to the left. True on OK.
    bool ChangeColumnsPropertis();

    // Opens "Software", "Lumivar" and the program key below the key the
    // registry object has open, creating them; true when all three opened.
    bool OpenProgramRegKey(TRegistry& registry) const;
    // Restores a form's maximised state and, when it isn't maximised, its
    // position (and size, for a sizeable form). A damaged, empty or wholly
    // off-screen placement is ignored.
    void ReadMaximalization(TForm& form) const;
    void WriteMaximalization(TForm& form) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::int16_t scrollOffset_ = 0;
    std::string formatName_;
    std::string programKey_;
    std::string registryName_;
    THeaderMetrics metrics_;
    TListHeaderFormat format_;
    QPointer<TListViewWithHeader> list_;
};

// Draws a header text with its markup in the rectangle (see DrawHeaderLine),
// with the line height and left margin of the canvas's font.
void DrawHeaderText(TCanvas& canvas, std::string_view text, THeaderAlignment alignment, bool stopAtSemicolon,
                    const TRect& rect);
