#pragma once
// The hourglass cursor for the span of a long operation. Nests; restored on
// every way out of the scope, exceptions included.

class TCursorWait {
public:
    TCursorWait();
    ~TCursorWait();
    TCursorWait(const TCursorWait&) = delete;
    TCursorWait& operator=(const TCursorWait&) = delete;

private:
    bool active_ = false;
};
