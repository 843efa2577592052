#pragma once
// The barrier between a user command and Qt: every slot and action handler
// runs inside RunCommand, so no C++ exception ever unwinds into the event loop.
// A failure is shown in the program's message box (warning icon, OK button).

#include "platform/base/Exception.h"

#include <QMetaObject>
#include <QObject>

#include <concepts>
#include <exception>
#include <string>
#include <utility>

// The caption of the failure box (Windows-1250); set once the title is known.
void SetProgramTitle(std::string title);
const std::string& ProgramTitle();

// Shows a failure: win::MessageBox(message, ProgramTitle(), 0x30).
void ShowCommandError(const std::string& message);
// Same for a library exception's text, which is UTF-8 on this platform.
void ShowLibraryError(const char* utf8Message);

template <class F>
void RunCommand(F&& command) noexcept {
    try {
        std::forward<F>(command)();
    } catch (const Exception& e) {
        ShowCommandError(e.Message());
    } catch (const std::exception& e) {
        ShowLibraryError(e.what());
    } catch (...) {
        ShowLibraryError("Unknown error");
    }
}

// connect() with the handler wrapped in RunCommand. The handler takes the
// signal's arguments (or a leading part of them, as with connect()).
template <class Sender, class Signal, class F>
QMetaObject::Connection ConnectCommand(Sender* sender, Signal signal, const QObject* context, F handler) {
    // The constraint lets Qt find how many of the signal's arguments the handler takes.
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)](auto&&... args) -> void
                                requires std::invocable<const F&, decltype(args)...>
                            { RunCommand([&] { handler(std::forward<decltype(args)>(args)...); }); });
}
