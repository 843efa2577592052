#include "platform/ui/SaveFile.h"

#include "platform/base/Exception.h"
#include "platform/ui/QtText.h"
#include "platform/win/Files.h"

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <string>
#include <utility>

namespace {

WriteFailureHook& Hook() {
    static WriteFailureHook hook;
    return hook;
}

// Program text: Windows-1250, the reason in English.
std::string FileMessage(const char* what, const std::filesystem::path& path, const QString& reason) {
    std::string message = std::string(what) + " \"" + win::TextFromPath(path) + "\".";
    if (!reason.isEmpty()) message += " " + FromQString(reason);
    return message;
}

}  // namespace

void SaveWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly)) throw EFCreateError(FileMessage("Cannot create file", path, file.errorString()));
    const auto size = static_cast<std::int64_t>(bytes.size());
    for (std::int64_t offset = 0; offset < size; offset += kSaveFileBlockSize) {
        const std::int64_t count = std::min(kSaveFileBlockSize, size - offset);
        if (Hook() && Hook()(offset)) {
            file.cancelWriting();
            throw EWriteError(FileMessage("Cannot write file", path, QStringLiteral("No space left on device")));
        }
        if (file.write(bytes.data() + offset, count) != count) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw EWriteError(FileMessage("Cannot write file", path, reason));
        }
    }
    if (!file.commit()) throw EWriteError(FileMessage("Cannot write file", path, file.errorString()));
}

WriteFailureHook SetWriteFailureHook(WriteFailureHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
