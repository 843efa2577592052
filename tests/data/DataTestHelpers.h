#pragma once
// Fakes of the window controls and XML snippets for the data-base tests.

#include "data/XmlParser.h"
#include "data/Xmlmacro.h"
#include "platform/base/Controls.h"
#include "platform/base/SysUtils.h"
#include "support/FakeControls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FakeComboBox : public IComboBox {
public:
    std::vector<std::string> items;
    int index = -1;

    std::string Text() const override { return Item(index); }
    void SetText(const std::string&) override {}
    void SetFocus() override {}
    IFont& Font() override { return font_; }
    void Clear() override {
        items.clear();
        index = -1;
    }
    void Add(const std::string& text) override { items.push_back(text); }
    int Count() const override { return static_cast<int>(items.size()); }
    std::string Item(int i) const override { return i >= 0 && i < Count() ? items[i] : std::string(); }
    void SetItem(int i, const std::string& text) override {
        if (i >= 0 && i < Count()) items[i] = text;
    }
    int IndexOf(const std::string& text) const override {
        for (int i = 0; i < Count(); ++i)
            if (AnsiSameText(items[i], text)) return i;
        return -1;
    }
    int ItemIndex() const override { return index; }
    void SetItemIndex(int i) override { index = i >= 0 && i < Count() ? i : -1; }

private:
    testing_support::FakeFont font_;
};

struct TTreeNode {
    TTreeNode* parent;
    std::string text;
    std::intptr_t data;
};

class FakeTreeView : public ITreeView {
public:
    std::vector<std::unique_ptr<TTreeNode>> nodes;  // in the order added

    void Clear() override { nodes.clear(); }
    TTreeNode* AddNode(TTreeNode* parent, const std::string& text, std::intptr_t data) override {
        nodes.push_back(std::make_unique<TTreeNode>(TTreeNode{parent, text, data}));
        return nodes.back().get();
    }
    TTreeNode* Parent(const TTreeNode* node) const override { return node->parent; }
    std::string NodeText(const TTreeNode* node) const override { return node->text; }
    std::intptr_t Data(const TTreeNode* node) const override { return node->data; }
    TTreeNode* Selected() const override { return nullptr; }
};

// A parser on `xml`, moved to the first start tag `tag`.
class XmlParserAt {
public:
    XmlParserAt(std::string_view xml, std::string_view tag) {
        EXPECT_TRUE(parser.LoadFromBuffer(xml));
        parser.SetNormalize(true);
        parser.StartScan();
        while (parser.Scan()) {
            if (parser.PartType() == TPartType::ptStartTag && parser.PartName() == tag) return;
        }
        ADD_FAILURE() << "no start tag " << tag;
    }
    TXmlParser parser;
};

// The same, with macros and the data-base language as the loader leaves them
// before a file ("HU").
class XmlSnippet : public XmlParserAt {
public:
    XmlSnippet(std::string_view xml, std::string_view tag) : XmlParserAt(xml, tag) {
        ClearXmlMacros();
        SetDeviceDBLanguage("HU");
    }
};

// Each test starts and ends with no macros and no data-base language.
class XmlMacroStateTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

private:
    static void Reset() {
        ClearXmlMacros();
        DeviceDbLanguage.clear();
    }
};

// Reads one record of type T from the first element `tag` of the document.
template <class T>
T ReadRecord(std::string_view xml, std::string_view tag) {
    XmlSnippet snippet(xml, tag);
    T record;
    record.Read(snippet.parser);
    return record;
}
