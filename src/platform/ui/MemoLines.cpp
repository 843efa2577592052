#include "platform/ui/MemoLines.h"

#include "platform/base/StringList.h"
#include "platform/ui/QtText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string>

void SetMemoLines(QPlainTextEdit& memo, const TStringList& lines) {
    // Not the list's Text: its line end after the last line would show as an
    // extra empty line.
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    memo.setPlainText(ToQString(text));
}

void ReadMemoLines(const QPlainTextEdit& memo, TStringList& lines) {
    lines.SetText(FromQString(memo.toPlainText()));
}

namespace {

// The length of the text stored for the memo: each line break is a CR LF,
// and the last line gets one too.
int StoredLength(const QString& text) {
    if (text.isEmpty()) return 0;
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n'))) + 2;
}

}  // namespace

void LimitMemoLines(QPlainTextEdit& memo, int maxText) {
    QTextDocument* document = memo.document();
    const auto fit = [&memo, document, maxText](int position, int, int added) {
        const QString text = memo.toPlainText();
        int excess = StoredLength(text) - maxText;
        if (excess <= 0 || added <= 0) return;
        // Give back the end of what came in until the rest fits.
        const int end = std::min(position + added, static_cast<int>(text.size()));
        int start = end;
        while (excess > 0 && start > position) {
            --start;
            excess -= text[start] == QLatin1Char('\n') ? 2 : 1;
        }
        QTextCursor cursor(document);
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    };
    QObject::connect(document, &QTextDocument::contentsChange, &memo, fit);
}
