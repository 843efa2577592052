#include "platform/ui/ShortCut.h"

namespace {

constexpr int scShift = 0x2000;
constexpr int scCtrl = 0x4000;
constexpr int scAlt = 0x8000;

int QtKeyOf(int virtualKey) {
    if (virtualKey >= '0' && virtualKey <= '9') return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key_F1 + (virtualKey - 0x70);  // F1..F24
    switch (virtualKey) {
        case 0x08: return Qt::Key_Backspace;
        case 0x09: return Qt::Key_Tab;
        case 0x0D: return Qt::Key_Return;
        case 0x1B: return Qt::Key_Escape;
        case 0x20: return Qt::Key_Space;
        case 0x21: return Qt::Key_PageUp;
        case 0x22: return Qt::Key_PageDown;
        case 0x23: return Qt::Key_End;
        case 0x24: return Qt::Key_Home;
        case 0x25: return Qt::Key_Left;
        case 0x26: return Qt::Key_Up;
        case 0x27: return Qt::Key_Right;
        case 0x28: return Qt::Key_Down;
        case 0x2D: return Qt::Key_Insert;
        case 0x2E: return Qt::Key_Delete;
        default: return 0;
    }
}

}  // namespace

QKeySequence KeySequenceOfShortCut(int shortCut) {
    const int key = QtKeyOf(shortCut & 0xFF);
    if (key == 0 || (shortCut & 0x1F00) != 0) return {};
    int modifiers = 0;
    if (shortCut & scShift) modifiers |= Qt::SHIFT;
    if (shortCut & scCtrl) modifiers |= Qt::CTRL;
    if (shortCut & scAlt) modifiers |= Qt::ALT;
    return QKeySequence(key | modifiers);
}
