#pragma once
// Window controls as plain values, for engine code that fills or reads them.

#include "platform/base/Controls.h"

#include <string>

namespace testing_support {

class FakeFont : public IFont {
public:
    std::string Name() const override { return name; }
    void SetName(const std::string& value) override { name = value; }
    int Size() const override { return size; }
    void SetSize(int points) override { size = points; }

    std::string name = "Tahoma";
    int size = 8;
};

class FakeControl : public IControl {
public:
    std::string Text() const override { return text; }
    void SetText(const std::string& value) override { text = value; }
    void SetFocus() override {}
    IFont& Font() override { return font; }

    std::string text;
    FakeFont font;
};

}  // namespace testing_support
