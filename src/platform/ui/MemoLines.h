#pragma once
// A memo's lines as a string list. The memo shows the lines joined by line
// breaks, without one after the last line, so reading an unchanged memo
// gives back exactly its lines; typing a line break at the very end adds no
// empty line.

class QPlainTextEdit;
class TStringList;

void SetMemoLines(QPlainTextEdit& memo, const TStringList& lines);
// Replaces the list's lines by the memo's (Windows-1250; '?' for a
// character it lacks).
void ReadMemoLines(const QPlainTextEdit& memo, TStringList& lines);
// Typing, pasting and setting stop where the memo's lines, stored as a
// list's text (each line followed by CR LF), would exceed `maxText`
// characters; what does not fit is dropped from the end of what came in.
void LimitMemoLines(QPlainTextEdit& memo, int maxText);
