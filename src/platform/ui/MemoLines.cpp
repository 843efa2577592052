#include "platform/ui/MemoLines.h"

#include "platform/base/StringList.h"
#include "platform/ui/QtText.h"

#include <QPlainTextEdit>

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
