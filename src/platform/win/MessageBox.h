#pragma once
// The message box of both programs. Whoever owns the display installs a hook
// (the Qt layer, a test); without one the text goes to stderr and the box
// answers as if the user took the default button.

#include <functional>
#include <string>

namespace win {

// Flags, with their Windows values.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_RETRYCANCEL = 0x05;
constexpr unsigned MB_ICONHAND = 0x10;  // the error icon
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_TYPEMASK = 0x0F;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFMASK = 0xF00;  // default button number times 0x100

// Button ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Text and caption are Windows-1250 bytes.
using MessageBoxHook = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

// Shows the box and returns the id of the button pressed.
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

// Installs a hook and returns the previous one; an empty hook restores the default.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

}  // namespace win
