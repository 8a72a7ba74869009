#include "resources/message_table.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless_platform.h"

namespace marvolin::resources {
namespace {

using formats::FileStatus;
using platform::MessageButtons;
using platform::MessageIcon;

TEST(MessageTableTest, EveryFileStatusHasItsMessage) {
    const struct {
        FileStatus status;
        const char* text;
        MessageIcon icon;
    } cases[] = {
        {FileStatus::CannotOpen, "Marvolin is unable to open this file !", MessageIcon::None},
        {FileStatus::NotThisFormat, "This is not a .WAV file !", MessageIcon::None},
        {FileStatus::Damaged, "This file is damaged or incomplete !", MessageIcon::None},
        {FileStatus::Unsupported, "This compression format is not supported !",
         MessageIcon::Warning},
        {FileStatus::NoMemory, "Not enough memory !", MessageIcon::None},
        {FileStatus::CannotSave, "Unable to save this file !", MessageIcon::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto id = ForFileStatus(c.status);
        ASSERT_TRUE(id.has_value());
        const MessageText& message = LookUpMessage(*id);
        EXPECT_EQ(message.text, c.text);
        EXPECT_EQ(message.caption, "Error");
        EXPECT_EQ(message.icon, c.icon);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
    }
    EXPECT_FALSE(ForFileStatus(FileStatus::Ok).has_value());
}

// A file read by its content is refused as no readable sound file; every other outcome is told
// as for a chosen reader.
TEST(MessageTableTest, FilesReadByContentHaveTheirOwnNotThisFormatMessage) {
    const MessageText& message = LookUpMessage(*ForContentLoadStatus(FileStatus::NotThisFormat));
    EXPECT_EQ(message.text, "This is not a sound file Marvolin can read !");
    EXPECT_EQ(message.caption, "Error");
    EXPECT_EQ(ForContentLoadStatus(FileStatus::Damaged), MessageId::DamagedFile);
    EXPECT_FALSE(ForContentLoadStatus(FileStatus::Ok).has_value());
}

// Where the table could go wrong unnoticed by the callers' own tests: the two questions'
// buttons, and the two sound-driver messages that share a text but not an icon.
TEST(MessageTableTest, QuestionsAndIconsStayAsTheyAre) {
    const struct {
        MessageId id;
        const char* text;
        const char* caption;
        MessageIcon icon;
        MessageButtons buttons;
    } cases[] = {
        {MessageId::ExitQuestion, "Do you really want to exit ?", "Are you sure ?",
         MessageIcon::Question, MessageButtons::OkCancel},
        {MessageId::SilenceQuestion,
         "Marvolin found silence before and after your recording.\nDo you want to delete it?",
         "Warning", MessageIcon::None, MessageButtons::OkCancel},
        {MessageId::PlaybackDeviceUnavailable, "Unable to open sound driver !", "Error",
         MessageIcon::Error, MessageButtons::Ok},
        {MessageId::RecordingDeviceUnavailable, "Unable to open sound driver !", "Error",
         MessageIcon::None, MessageButtons::Ok},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const MessageText& message = LookUpMessage(c.id);
        EXPECT_EQ(message.text, c.text);
        EXPECT_EQ(message.caption, c.caption);
        EXPECT_EQ(message.icon, c.icon);
        EXPECT_EQ(message.buttons, c.buttons);
    }
}

TEST(MessageTableTest, ShowingAMessageHandsBackTheAnswer) {
    platform::headless::ScriptedMessageBoxes boxes;
    boxes.answers = {platform::MessageAnswer::Cancel};
    EXPECT_EQ(ShowMessage(boxes, MessageId::ExitQuestion), platform::MessageAnswer::Cancel);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Do you really want to exit ?");
    EXPECT_EQ(boxes.shown[0].caption, "Are you sure ?");
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::OkCancel);
}

}  // namespace
}  // namespace marvolin::resources
