#pragma once
// The byte stream every record is read from and written to. Read and Write
// report how many bytes they moved and never raise for a short transfer;
// ReadBuffer and WriteBuffer are the variants that must move everything.

#include <cstdint>

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Copies up to `count` bytes from the position into `buffer` and returns
    // how many it copied (0 at or past the end, or for count <= 0). Bytes of
    // the buffer past that number are left as they were.
    virtual int Read(void* buffer, int count) = 0;
    // Writes `count` bytes at the position, growing the stream as needed, and
    // returns how many it wrote (fewer only when the medium fails).
    virtual int Write(const void* buffer, int count) = 0;
    // Moves the position and returns the new one. Positions past the end are
    // allowed (a later Write fills the gap with zeros); a position before the
    // start is refused: the position stays and the result is -1.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size() const = 0;
    // Cuts or extends (with zeros) the stream; a position past the new end
    // moves to the end.
    virtual void SetSize(std::int64_t newSize) = 0;

    virtual std::int64_t Position() const = 0;
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::Beginning); }

    // Raise EReadError / EWriteError when fewer than `count` bytes move.
    void ReadBuffer(void* buffer, int count);
    void WriteBuffer(const void* buffer, int count);

    // Copies `count` bytes from the source's position into this stream; a
    // count of 0 copies the whole source from its start. Raises EReadError
    // when the source ends first. Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};
