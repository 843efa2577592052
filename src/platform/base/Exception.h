#pragma once
// The program's exception: a user-facing failure whose message is already the
// translated text (Windows-1250 bytes). Caught where a user command runs.

#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that is not a number of the expected kind.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A list index outside 0 .. Count - 1.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Stream failures: a file that can't be opened or created, or a read or
// write that had to move a whole block and moved less.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A registry value that can't be read or written as asked.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};
