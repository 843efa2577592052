#pragma once
// The user's settings under the program key Software\Lumivar\KELVARIN of the
// current user: the options the options dialog edits, and the list and
// report fonts.

#include "platform/base/StringList.h"

#include <memory>
#include <string>
#include <string_view>

class IControl;
class IFont;
class TRegistry;

// Opens "Software", "Lumivar" and `programKey` one below the other, each
// relative to the key the registry object has open (on a fresh object: the
// current user's root), creating what is missing. True only when all three
// opened; later keys opened on it are relative to the program key.
bool OpenProgramRegKey(TRegistry& registry, std::string_view programKey);
// OpenProgramRegKey with this program's key, "KELVARIN".
bool OpenProgramKey(TRegistry& registry);

class TProgramOptions {
public:
    // The defaults, then Load.
    TProgramOptions();

    // Reads subkey "ProgramOptions" (created when missing); an absent value, or
    // one stored with another type, keeps the default. Then selects the
    // user-interface language ("LanguageID", default "Magyar") and the
    // printing language ("PrintingLanguageID", default the user-interface
    // language's id), also when the key can't be opened.
    void Load();
    // Writes the eight values, never the language names. Nothing is written
    // when the key can't be opened.
    void Save() const;

    TStringList Planer;  // designer lines of new projects
    bool InitDate = true;  // new projects get today's date
    // Report page margins in millimetres.
    int LeftMargin = 20;
    int TopMargin = 20;
    int RightMargin = 15;
    int BottomMargin = 20;
    bool ViewMediumData = false;  // show medium properties of data-base media too
    bool CalcPrecision = false;   // keep searched thicknesses in tenths of a millimetre
};

// The program's options; created at start after the languages are loaded.
extern std::unique_ptr<TProgramOptions> AppOptions;

// One font kept under subkey "Fonts": kind 0 the list font, kind 1 the report
// font. A plain value used for one operation.
class TFontSetting {
public:
    static constexpr int kListFont = 0;
    static constexpr int kReportFont = 1;

    // Reads the kind's name and size (defaults "MS Sans Serif" 10 and "Arial"
    // 9). Empty and 0 when the key can't be opened or the kind is unknown.
    explicit TFontSetting(int kind);

    // Sets the font's name unless `Name` is empty and its size unless `Size` is 0.
    void AssignToFont(IFont& font) const;
    void AssignFromFont(const IFont& font);
    // Shows "IDS_FONTNAMEANDSIZE" with its first "%i" replaced by the size and
    // then its first "%s" by the name, in the control's font set to this one.
    void ShowInControl(IControl& control) const;
    // Writes the kind's two values; an unknown kind writes nothing.
    void Save(int kind) const;

    std::string Name;  // face name; empty leaves a font's own
    int Size = 0;      // points; 0 leaves a font's own
};
