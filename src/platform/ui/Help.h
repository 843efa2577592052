#pragma once
// The program's help: in place of a WinHelp file, HTML pages in the folder
// "help" beside the help file, opened in the user's browser.
//   context n            -> help/<n>.html
//   contents             -> help/contents.html
//   keyword search       -> help/keywords.html
//   help on using help   -> help/using-help.html

#include <filesystem>
#include <functional>

// WinHelp commands, with their Windows values.
constexpr unsigned HELP_CONTEXT = 0x0001;
constexpr unsigned HELP_CONTENTS = 0x0003;
constexpr unsigned HELP_HELPONHELP = 0x0004;
constexpr unsigned HELP_PARTIALKEY = 0x0105;

// The application's help file, for the help commands and every form whose own
// help file is empty.
void SetApplicationHelpFile(const std::filesystem::path& helpFile);
const std::filesystem::path& ApplicationHelpFile();

// The page a command opens; empty for a command without one (or a negative context).
std::filesystem::path HelpPage(const std::filesystem::path& helpFile, unsigned command, long data);

// Opens the page of a command when it exists; false otherwise (nothing is
// shown). The browser is started without waiting: when it can't show the page,
// the failure handler gets the page later.
bool WinHelp(const std::filesystem::path& helpFile, unsigned command, long data);
// The same on the application's help file.
bool HelpCommand(unsigned command, long data);

// What to do when a page could not be shown (the program tells the user which
// page to open by hand). Returns the previous handler; none: nothing is done.
using HelpFailureHandler = std::function<void(const std::filesystem::path& page)>;
HelpFailureHandler SetHelpFailureHandler(HelpFailureHandler handler);
