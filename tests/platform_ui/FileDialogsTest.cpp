#include "platform/ui/FileDialogs.h"

#include <gtest/gtest.h>

namespace {

class HookScope {
public:
    explicit HookScope(FileDialogHook hook) : previous_(SetFileDialogHook(std::move(hook))) {}
    ~HookScope() { SetFileDialogHook(std::move(previous_)); }

private:
    FileDialogHook previous_;
};

}  // namespace

TEST(FileDialogs, FiltersBecomeQtNameFilters) {
    EXPECT_EQ(QtNameFilters(QString::fromUtf8("VALDORINE projektek (*.kvr)|*.kvr|Minden fájl (*.*)|*.*")),
              (QStringList{"VALDORINE projektek (*.kvr) (*.kvr)", QString::fromUtf8("Minden fájl (*.*) (*)")}));
    EXPECT_EQ(QtNameFilters("Data|*.xml; *.XM?"), QStringList{"Data (*.xml *.XM?)"});
    EXPECT_EQ(QtNameFilters("Any|"), QStringList{"Any (*)"});
    EXPECT_EQ(QtNameFilters("Text|*.txt|Dangling"), QStringList{"Text (*.txt)"});
    EXPECT_TRUE(QtNameFilters("").isEmpty());
}

TEST(FileDialogs, HookAnswersInPlaceOfTheUser) {
    TOpenDialog open;
    open.setObjectName("OpenDialog");
    open.SetFilter("P|*.kvr");
    open.SetFileName("old.kvr");
    {
        const HookScope scope([](const TFileDialog& dialog) -> std::optional<QString> {
            EXPECT_EQ(dialog.Kind(), TFileDialog::TKind::Open);
            EXPECT_EQ(dialog.Filter(), "P|*.kvr");
            return QString("/tmp/new.kvr");
        });
        EXPECT_TRUE(open.Execute());
        EXPECT_EQ(open.FileName(), "/tmp/new.kvr");
    }
    TSaveDialog save;
    save.SetFileName("keep.kvr");
    const HookScope cancel([](const TFileDialog& dialog) -> std::optional<QString> {
        EXPECT_EQ(dialog.Kind(), TFileDialog::TKind::Save);
        return std::nullopt;
    });
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName(), "keep.kvr");
}
