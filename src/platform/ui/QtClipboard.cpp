#include "platform/ui/QtClipboard.h"

#include "platform/ui/QtText.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {

constexpr char kRtfFormatName[] = "Rich Text Format";
constexpr char kRtfMimeType[] = "text/rtf";

bool IsRtf(unsigned format) {
    return format != 0 && format == RegisterClipboardFormat(kRtfFormatName);
}

const QMimeData* Content() {
    return QGuiApplication::clipboard()->mimeData();
}

}  // namespace

QString MimeTypeOfFormat(std::string_view formatName) {
    return QStringLiteral("application/x-qt-windows-mime;value=\"") + ToQString(formatName) + QLatin1Char('"');
}

unsigned TQtClipboard::RegisterFormat(std::string_view name) {
    return RegisterClipboardFormat(name);
}

void TQtClipboard::SetBlocks(const std::vector<TClipboardBlock>& blocks) {
    auto data = std::make_unique<QMimeData>();
    for (const auto& block : blocks) {
        const std::string name = ClipboardFormatName(block.Format);
        if (name.empty()) continue;
        const QByteArray bytes(block.Bytes.data(), static_cast<qsizetype>(block.Bytes.size()));
        data->setData(MimeTypeOfFormat(name), bytes);
        if (IsRtf(block.Format)) data->setData(kRtfMimeType, bytes.endsWith('\0') ? bytes.chopped(1) : bytes);
    }
    if (data->formats().isEmpty()) {
        QGuiApplication::clipboard()->clear();
    } else {
        QGuiApplication::clipboard()->setMimeData(data.release());
    }
}

bool TQtClipboard::HasFormat(unsigned format) const {
    const std::string name = ClipboardFormatName(format);
    const QMimeData* data = Content();
    if (name.empty() || !data) return false;
    return data->hasFormat(MimeTypeOfFormat(name)) || (IsRtf(format) && data->hasFormat(kRtfMimeType));
}

bool TQtClipboard::GetBlock(unsigned format, std::string& bytes) const {
    const std::string name = ClipboardFormatName(format);
    const QMimeData* data = Content();
    if (name.empty() || !data) return false;
    QString mime = MimeTypeOfFormat(name);
    if (!data->hasFormat(mime)) {
        if (!IsRtf(format) || !data->hasFormat(kRtfMimeType)) return false;
        mime = kRtfMimeType;
    }
    const QByteArray block = data->data(mime);
    bytes.assign(block.constData(), static_cast<std::size_t>(block.size()));
    return true;
}
