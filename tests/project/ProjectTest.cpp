#include "project/Project.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"
#include "platform/base/MemoryStream.h"
#include "project/ProgramOptions.h"
#include "project/ProjectEnvironment.h"
#include "project/StreamPrimitives.h"
#include "support/StreamBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using namespace std::literals;
using testing_support::FillStream;
using testing_support::Int16Bytes;
using testing_support::RecordBytes;
using testing_support::StreamBytes;

const std::string kMagicField = "\x16\x00KELVARIN_PROJECT_FILE\x00"s;
const std::string kEmptyString = "\x01\x00\x00"s;
const std::string kEndTag = "\xFF\x00"s;

std::string Saved(TProject& project) {
    TMemoryStream stream;
    project.SaveToStream(stream);
    return StreamBytes(stream);
}

int Int16At(const std::string& bytes, std::size_t offset) {
    return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[offset]) |
                                     (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

// Loads the bytes into the project; "" on success, else the error's message.
std::string LoadError(TProject& project, const std::string& bytes) {
    TMemoryStream stream;
    FillStream(stream, bytes);
    try {
        project.LoadFromStream(stream);
    } catch (const Exception& e) {
        return e.Message().empty() ? "(empty message)" : e.Message();
    }
    return "";
}

TItem Pipe(const std::string& name) {
    TItem item;
    item.Name = name;
    item.Comment = "Kaz\xE1n 2";
    item.InnerDiameter = 82.5f;
    item.OuterDiameter = 88.9f;
    item.Length = 12;
    item.Isolation.IsolationID = "wool";
    item.Isolation.Thickness = 50;
    item.SavingRatio = 0.5f;
    return item;
}

TItem OptimumWithPoints() {
    TItem item = Pipe("Optimum");
    item.CalculationType = CalcMode::Optimum;
    item.PriceDiagram = {{20, 1500, 9100}, {30, 1800, 6400}, {40, 2100, 5100}};
    return item;
}

class ProjectTest : public ::testing::Test {
protected:
    project_testing::TProjectEnvironment environment_;
};

TEST_F(ProjectTest, EmptyProjectIsFortySevenBytes) {
    TProject project;
    const std::string expected = kMagicField + "\x01\x01"s + "\x01\x00\x0F\x00"s + kEmptyString + kEmptyString +
                                 kEmptyString + kEmptyString + kEmptyString + kEndTag;
    ASSERT_EQ(expected.size(), 47u);
    EXPECT_EQ(Saved(project), expected);
}

TEST_F(ProjectTest, SavingStartsAtTheStreamsPosition) {
    TProject project;
    project.Address.Add("x");
    const std::string alone = Saved(project);
    TMemoryStream stream;
    stream.Write("prefix", 6);
    project.SaveToStream(stream);
    EXPECT_EQ(StreamBytes(stream), "prefix" + alone);
}

TEST_F(ProjectTest, ChunkOneLengthIsItsBody) {
    TProject project;
    project.Address.SetText("Budapest\r\nF\xF5 utca 1.");
    project.Customer.Add("Ny\xEDr\xF5 Kft.");
    project.Comment.Add("");
    project.Date = "2004. 02. 03.";
    const std::string bytes = Saved(project);
    const std::size_t chunk = kMagicField.size() + 2;
    ASSERT_EQ(Int16At(bytes, chunk), 1);
    // Five string fields: 2-byte count, text, NUL each.
    const int body = (2 + 22 + 1) + (2 + 12 + 1) + (2 + 0 + 1) + (2 + 2 + 1) + (2 + 13 + 1);
    EXPECT_EQ(Int16At(bytes, chunk + 2), body);
    EXPECT_EQ(bytes.size(), chunk + 4 + body + 2);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), kEndTag);
}

TEST_F(ProjectTest, ItemsAreChunksInListOrderAndReadBack) {
    TProject project;
    project.Address.SetText("Budapest\r\nF\xF5 utca 1.\r\n");
    project.Planer.Add("Kov\xE1\x63s \xC9va");
    project.Comment.Add("{\\rtf?} 100 %");
    project.Date = "tegnap";
    project.Items = {Pipe("first"), OptimumWithPoints(), Pipe("")};
    project.Modified = true;
    const std::string bytes = Saved(project);
    EXPECT_FALSE(project.Modified);

    // Chunk 1, then one chunk 2 per item holding exactly the item's record.
    std::size_t at = kMagicField.size() + 2;
    at += 4 + static_cast<std::size_t>(Int16At(bytes, at + 2));
    for (const TItem& item : project.Items) {
        const std::string record = RecordBytes(item);
        ASSERT_EQ(Int16At(bytes, at), 2);
        ASSERT_EQ(Int16At(bytes, at + 2), static_cast<int>(record.size()));
        EXPECT_EQ(bytes.substr(at + 4, record.size()), record);
        at += 4 + record.size();
    }
    EXPECT_EQ(bytes.substr(at), kEndTag);

    TProject loaded;
    loaded.Modified = true;
    ASSERT_EQ(LoadError(loaded, bytes), "");
    EXPECT_EQ(loaded.Address, project.Address);
    EXPECT_EQ(loaded.Customer, project.Customer);
    EXPECT_EQ(loaded.Planer, project.Planer);
    EXPECT_EQ(loaded.Comment, project.Comment);
    EXPECT_EQ(loaded.Date, project.Date);
    EXPECT_EQ(loaded.Items, project.Items);
    EXPECT_FALSE(loaded.Modified);
}

TEST_F(ProjectTest, UnknownChunkIsSkippedByItsLength) {
    TProject project;
    project.Items = {Pipe("a")};
    const std::string plain = Saved(project);
    const std::string withChunk =
        plain.substr(0, plain.size() - 2) + Int16Bytes(7) + Int16Bytes(4) + "\xFF\x00\x02\x00"s + kEndTag;
    TProject loaded;
    ASSERT_EQ(LoadError(loaded, withChunk), "");
    EXPECT_EQ(loaded.Items, project.Items);

    // Lengths are unsigned: 40000 bytes are skipped forwards.
    const std::string longChunk =
        plain.substr(0, plain.size() - 2) + Int16Bytes(9) + Int16Bytes(40000) + std::string(40000, '\xFF') + kEndTag;
    TProject loadedLong;
    ASSERT_EQ(LoadError(loadedLong, longChunk), "");
    EXPECT_EQ(loadedLong.Items, project.Items);
}

TEST_F(ProjectTest, VersionTwoFiftySixReadsItemsWithoutSavingRatio) {
    TProject project;
    project.Items = {Pipe("old"), OptimumWithPoints()};
    // The same file as version 256 would have it: each record lacks its last float.
    std::string old = kMagicField + Int16Bytes(256) + Int16Bytes(1) + Int16Bytes(15) + kEmptyString + kEmptyString +
                      kEmptyString + kEmptyString + kEmptyString;
    for (const TItem& item : project.Items) {
        const std::string record = RecordBytes(item);
        old += Int16Bytes(2) + Int16Bytes(static_cast<int>(record.size() - 4)) + record.substr(0, record.size() - 4);
    }
    old += kEndTag;

    TProject loaded;
    ASSERT_EQ(LoadError(loaded, old), "");
    ASSERT_EQ(loaded.Items.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded.Items[i].SavingRatio, 0.8f);
        TItem expected = project.Items[i];
        expected.SavingRatio = 0.8f;
        EXPECT_EQ(loaded.Items[i], expected);
    }
    EXPECT_EQ(Saved(loaded).substr(kMagicField.size(), 2), "\x01\x01");
}

TEST_F(ProjectTest, WrongMagicOrVersionIsRefused) {
    TProject project;
    const std::string body = Int16Bytes(1) + Int16Bytes(15) + kEmptyString + kEmptyString + kEmptyString +
                             kEmptyString + kEmptyString + kEndTag;
    const struct {
        const char* name;
        std::string bytes;
        std::string error;
    } cases[] = {
        {"other text", "\x16\x00KELVARIN_PROJECT_FILF\x00"s + Int16Bytes(257) + body, "ui:IDS_INVALIDFILE"},
        {"other case", "\x16\x00kelvarin_project_file\x00"s + Int16Bytes(257) + body, "ui:IDS_INVALIDFILE"},
        {"magic's start", "\x09\x00KELVARIN\x00"s + Int16Bytes(257) + body, "ui:IDS_INVALIDFILE"},
        {"empty", "", "ui:IDS_INVALIDFILE"},
        {"version 258", kMagicField + Int16Bytes(258) + body, "ui:IDS_VERSIONERR"},
        {"version 255", kMagicField + Int16Bytes(255) + body, "ui:IDS_VERSIONERR"},
        {"version -1", kMagicField + Int16Bytes(-1) + body, "ui:IDS_VERSIONERR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadError(project, c.bytes), c.error);
    }
}

TEST_F(ProjectTest, EveryTruncationIsAnInvalidFileAndChangesNothing) {
    TProject project;
    project.Address.Add("Budapest");
    project.Date = "ma";
    project.Items = {Pipe("first"), OptimumWithPoints()};
    const std::string bytes = Saved(project);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        TProject target;
        target.Planer.Add("kept");
        target.Items = {Pipe("kept")};
        target.Modified = true;
        ASSERT_EQ(LoadError(target, bytes.substr(0, length)), "ui:IDS_INVALIDFILE");
        EXPECT_EQ(target.Planer.Text(), "kept\r\n");
        EXPECT_EQ(target.Address.Count(), 0);
        EXPECT_EQ(target.Date, "");
        ASSERT_EQ(target.Items.size(), 1u);
        EXPECT_EQ(target.Items[0].Name, "kept");
        EXPECT_TRUE(target.Modified);
    }
}

TEST_F(ProjectTest, ChunkRunningPastTheEndIsAnInvalidFile) {
    TProject project;
    const std::string plain = Saved(project);
    const std::string head = plain.substr(0, plain.size() - 2);
    // 0xFFFF is 65535 bytes forwards, not one byte back.
    EXPECT_EQ(LoadError(project, head + Int16Bytes(7) + Int16Bytes(-1) + "\x01\x02"s + kEndTag), "ui:IDS_INVALIDFILE");
    EXPECT_EQ(LoadError(project, head + Int16Bytes(7) + Int16Bytes(5) + "1234"s), "ui:IDS_INVALIDFILE");
    // The end tag has no length after it; anything after it is not read.
    EXPECT_EQ(LoadError(project, plain + "trailing"), "");
}

TEST_F(ProjectTest, ProjectDataLongerThanAChunkLengthKeepsTheLowBits) {
    TProject project;
    for (TStringList* list : {&project.Address, &project.Customer, &project.Planer, &project.Comment})
        list->Add(std::string(20000, 'a'));
    const std::string bytes = Saved(project);
    const int body = 4 * (2 + 20002 + 1) + 3;
    EXPECT_EQ(static_cast<std::uint16_t>(Int16At(bytes, kMagicField.size() + 4)), body & 0xFFFF);
    TProject loaded;
    ASSERT_EQ(LoadError(loaded, bytes), "");
    EXPECT_EQ(loaded.Comment, project.Comment);
}

TEST_F(ProjectTest, MoreItemsThanAnInt16CountAreAllWritten) {
    TProject project;
    project.Items.assign(40000, TItem());
    project.Items.back().Name = "last";
    const std::string bytes = Saved(project);
    TProject loaded;
    ASSERT_EQ(LoadError(loaded, bytes), "");
    ASSERT_EQ(loaded.Items.size(), 40000u);
    EXPECT_EQ(loaded.Items.back().Name, "last");
}

TEST_F(ProjectTest, TooLongTextIsCutAndTheFileStaysWhole) {
    TProject project;
    project.Items = {Pipe(std::string(40000, 'n'))};
    project.Date = std::string(32767, 'd');
    TProject loaded;
    ASSERT_EQ(LoadError(loaded, Saved(project)), "");
    EXPECT_EQ(loaded.Date, std::string(kMaxStoredText, 'd'));
    ASSERT_EQ(loaded.Items.size(), 1u);
    TItem expected = project.Items[0];
    expected.Name.resize(kMaxStoredText);
    EXPECT_EQ(loaded.Items[0], expected);
}

TEST_F(ProjectTest, NewProjectTakesTheOptions) {
    {
        TProject project;
        EXPECT_EQ(project.ClipboardFormat, RegisterClipboardFormat("KELVARIN Calculation Item"));
        EXPECT_NE(project.ClipboardFormat, 0u);
        EXPECT_EQ(project.FileName, "");
        EXPECT_EQ(project.Date, "");
        EXPECT_EQ(project.Planer.Count(), 0);
        EXPECT_FALSE(project.Modified);
        EXPECT_EQ(project.ItemCount(), 0);
    }
    AppOptions->InitDate = true;
    AppOptions->Planer.SetText("Kov\xE1\x63s \xC9va\r\nTervez\xF5 Kft.");
    TProject project;
    EXPECT_EQ(project.Date, "2004. 02. 03.");
    EXPECT_EQ(project.Planer, AppOptions->Planer);
    AppOptions->Planer.Clear();
    EXPECT_EQ(project.Planer.Count(), 2);  // a copy
}

TEST_F(ProjectTest, FileWithoutProjectDataKeepsTheNewProjectsTexts) {
    AppOptions->InitDate = true;
    AppOptions->Planer.Add("Tervez\xF5");
    TProject project;
    const std::string bytes =
        kMagicField + Int16Bytes(257) + Int16Bytes(2) + Int16Bytes(0) + RecordBytes(Pipe("p")) + kEndTag;
    ASSERT_EQ(LoadError(project, bytes), "");
    EXPECT_EQ(project.Planer.Text(), "Tervez\xF5\r\n");
    EXPECT_EQ(project.Date, "2004. 02. 03.");
    ASSERT_EQ(project.ItemCount(), 1);
    EXPECT_EQ(project.Items[0].Name, "p");
}

TEST_F(ProjectTest, ChunkHelpersPatchTheLengthAndReturnToTheEnd) {
    TMemoryStream stream;
    stream.Write("ab", 2);
    const std::int64_t position = WriteChunkHeader(stream, 7);
    EXPECT_EQ(position, 4);
    EXPECT_EQ(StreamBytes(stream), "ab\x07\x00\x07\x00"s);
    stream.Write("12345", 5);
    PatchChunkLength(stream, position);
    EXPECT_EQ(stream.Position(), 11);
    EXPECT_EQ(StreamBytes(stream), "ab\x07\x00\x05\x00" "12345"s);
    stream.SetPosition(4);
    SkipChunk(stream, 0xFFFF);
    EXPECT_EQ(stream.Position(), 4 + 65535);
}

}  // namespace
