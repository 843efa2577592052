#pragma once
// The system clipboard through Qt. A registered format named N travels as the
// MIME type application/x-qt-windows-mime;value="N", the type Qt gives a
// registered clipboard format of that name on Windows. "Rich Text Format" is
// offered as text/rtf too (without the block's trailing NUL), so that word
// processors here can paste it.

#include "platform/base/Controls.h"

#include <QString>

#include <string_view>

QString MimeTypeOfFormat(std::string_view formatName);

// Needs the application object; blocks of unregistered ids are left out.
class TQtClipboard : public IClipboard {
public:
    unsigned RegisterFormat(std::string_view name) override;
    void SetBlocks(const std::vector<TClipboardBlock>& blocks) override;
    bool HasFormat(unsigned format) const override;
    // The block as it was put; for RTF put by another program, its text/rtf.
    bool GetBlock(unsigned format, std::string& bytes) const override;
};
