#include "platform/ui/QtText.h"

#include "platform/win/CodePage.h"

QString ToQString(std::string_view cp1250) {
    QString text(static_cast<qsizetype>(cp1250.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : cp1250) {
        // Windows-1250 lies wholly in the basic plane: one UTF-16 unit per byte.
        *out++ = QChar(static_cast<char16_t>(win::ToUnicode(win::CodePage::Cp1250, static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string FromQString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate()) {
            // A character outside the basic plane (or a stray half of one):
            // one replacement for the whole pair.
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
            bytes += '?';
            continue;
        }
        const int byte = win::FromUnicode(win::CodePage::Cp1250, c.unicode());
        bytes += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return bytes;
}
