#pragma once
// Installs what projects, clipboard streams and item texts read from the
// program's globals, and removes it again:
//   languages  "UI" (user interface): every key reads as "ui:<KEY>";
//              "Print" (printing): every key reads as the key's own name,
//              so an RTF text shows which label went where
//   options    the defaults of an empty registry, no designer lines, no date
//   data bases media "water" and "air", insulation "wool"; no price list
//   clipboard  an empty memory clipboard
//   today      2004-02-03, shown as "2004. 02. 03."

#include "platform/base/Controls.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

class TItem;
class TLanguages;

namespace project_testing {

class TProjectEnvironment {
public:
    TProjectEnvironment();
    ~TProjectEnvironment();
    TProjectEnvironment(const TProjectEnvironment&) = delete;
    TProjectEnvironment& operator=(const TProjectEnvironment&) = delete;

    // A price list with this currency; RemovePriceList runs without prices.
    void SetPriceList(const std::string& currency);
    void RemovePriceList();
    // Changes one text of the printing language ("" removes the key).
    void SetPrintText(const std::string& key, const std::string& text);

    TMemoryClipboard& Clipboard() { return clipboard_; }

private:
    testing_support::ScopedMachineRoot root_;
    std::unique_ptr<TLanguages> savedLanguages_;
    TMemoryClipboard clipboard_;
    IClipboard* savedClipboard_ = nullptr;
    ShortDateTextHook savedDateHook_;
};

// The item's report rows as a clipboard copy writes them.
std::string ItemRtf(const TItem& item);

}  // namespace project_testing
