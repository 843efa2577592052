#pragma once
// The component library's shortcut values (a Windows virtual-key code plus
// 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; 16462 is Ctrl+N) as Qt key sequences.

#include <QKeySequence>

// An empty sequence for 0 or a key without a Qt counterpart.
QKeySequence KeySequenceOfShortCut(int shortCut);
