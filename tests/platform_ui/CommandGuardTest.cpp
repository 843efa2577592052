#include "platform/ui/CommandGuard.h"

#include "support/TestSupport.h"

#include <QAction>
#include <QObject>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records every message box instead of showing it.
class CommandGuard : public ::testing::Test {
protected:
    void SetUp() override { SetProgramTitle("KELVARIN \xE9rt\xE9k"); }
    void TearDown() override { SetProgramTitle(""); }

    testing_support::ScopedMessageBoxRecorder recorder_;
    std::vector<testing_support::TShownBox>& shown_ = recorder_.Shown;
};

}  // namespace

TEST_F(CommandGuard, ExceptionInASlotShowsOneWarningBoxAndStopsThere) {
    QAction action;
    int after = 0;
    ConnectCommand(&action, &QAction::triggered, &action, [] { throw Exception("Hib\xE1s \xE9rt\xE9k!"); });
    QObject::connect(&action, &QAction::triggered, &action, [&] { ++after; });
    action.trigger();  // returns normally: nothing crossed into Qt
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].Text, "Hib\xE1s \xE9rt\xE9k!");
    EXPECT_EQ(shown_[0].Caption, "KELVARIN \xE9rt\xE9k");
    EXPECT_EQ(shown_[0].Flags, 0x30u);
    EXPECT_EQ(after, 1);  // the signal's other receivers still run
}

TEST_F(CommandGuard, LibraryExceptionsAreShownInTheProgramsCodePage) {
    RunCommand([] { throw std::runtime_error("f\xC3\xA1jl: nem tal\xC3\xA1lhat\xC3\xB3"); });  // UTF-8 text
    RunCommand([] { throw 42; });
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].Text, "f\xE1jl: nem tal\xE1lhat\xF3");
    EXPECT_FALSE(shown_[1].Text.empty());
    EXPECT_EQ(shown_[1].Flags, 0x30u);
}

TEST_F(CommandGuard, HandlersTakeTheSignalsArgumentsOrFewer) {
    QAction action;
    action.setCheckable(true);
    std::vector<bool> seen;
    int bare = 0;
    ConnectCommand(&action, &QAction::triggered, &action, [&](bool checked) { seen.push_back(checked); });
    ConnectCommand(&action, &QAction::triggered, &action, [&] { ++bare; });
    action.trigger();
    action.trigger();
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_EQ(bare, 2);
    EXPECT_TRUE(shown_.empty());
}
