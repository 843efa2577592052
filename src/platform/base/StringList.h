#pragma once
// An ordered list of text lines (Windows-1250 bytes). Its Text is every line
// followed by CR LF; setting the Text splits at CR LF, CR or LF, and a last
// line without a line end still counts.

#include <string>
#include <string_view>
#include <vector>

class TStream;

class TStringList {
public:
    TStringList() = default;
    TStringList(const TStringList&) = default;
    TStringList(TStringList&&) = default;
    TStringList& operator=(const TStringList&) = default;
    TStringList& operator=(TStringList&&) = default;
    virtual ~TStringList() = default;

    int Count() const { return static_cast<int>(lines_.size()); }
    // Lines by index; an index outside 0 .. Count - 1 raises EListError.
    const std::string& Strings(int index) const;
    std::string& operator[](int index);
    const std::string& operator[](int index) const { return Strings(index); }

    // Appends and returns the new line's index.
    int Add(std::string line);
    // Inserts before `index` (Count appends); raises EListError outside 0 .. Count.
    void Insert(int index, std::string line);
    void Delete(int index);
    void Clear() { lines_.clear(); }
    // The first line equal to `text` ignoring letter case (Windows-1250), or -1.
    int IndexOf(std::string_view text) const;
    void Assign(const TStringList& source) { lines_ = source.lines_; }

    std::string Text() const;
    void SetText(std::string_view text);

    // Sets the Text from the source's bytes from its position to its end.
    void LoadFromStream(TStream& source);
    // Writes the Text at the target's position.
    void SaveToStream(TStream& target) const;

    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string>& Lines() { return lines_; }

    bool operator==(const TStringList&) const = default;

private:
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> lines_;
};
