#include <gtest/gtest.h>

#include <filesystem>

#include "formats/wav.h"
#include "platform/allocation.h"
#include "resources/panel_layout.h"
#include "window_fixture.h"

namespace marvolin::app {
namespace {

using platform::Message;
using platform::MessageKind;

class MessageHandlerTest : public WindowTest {
  protected:
    void RightClick(int x, int y) {
        Send(MessageKind::RightButtonDown, x, y);
        Send(MessageKind::RightButtonUp, x, y);
    }
    bool LabelsShow(int category) {
        for (int effect = 0; effect < 5; ++effect) {
            const resources::EffectLabelPlace& place = resources::kEffectLabelPlaces[effect];
            if (!Shows(resources::EffectLabelBitmap(category, effect), place.x, place.y,
                       place.width, resources::kEffectLabelHeight)) {
                return false;
            }
        }
        return true;
    }

    std::string SaveSound(const std::vector<std::int16_t>& samples, std::uint32_t rate) {
        formats::SoundBuffer sound;
        sound.Install(samples);
        sound.sampleRate = rate;
        const formats::SaveResult saved = formats::SaveWav(sound, folder.File("sound.wav"));
        EXPECT_EQ(saved.status, formats::FileStatus::Ok);
        return saved.path;
    }
};

TEST_F(MessageHandlerTest, StartUpPaintsThePictureAndPlaysTheWelcomeSound) {
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_TRUE(Shows(107, 120, 160, 120, 40));  // the picture shows the buttons
    EXPECT_TRUE(LabelsShow(kRobots));
    EXPECT_EQ(host.waveOutput.opens, 1);
    EXPECT_FALSE(state().playing());  // finished by the fixture
}

TEST_F(MessageHandlerTest, WelcomeSoundPlaysEvenWhenPlayingAfterLoadingIsOff) {
    testing::WriteText(folder.File("marvolin.ini"), "[Marvolin]\nplay sound after loading=0\n");
    platform::headless::HeadlessPlatform other;
    MainWindow second(other.services, {folder.File("data"), folder.File("marvolin.ini")});
    second.Handle({MessageKind::Initialize});
    EXPECT_TRUE(second.state().playing());
    EXPECT_TRUE(other.waveOutput.writing);
}

TEST_F(MessageHandlerTest, MissingPictureEndsTheProgram) {
    std::filesystem::remove(folder.File("data/marvolin.bmp"));
    platform::headless::HeadlessPlatform other;
    MainWindow second(other.services, {folder.File("data"), folder.File("marvolin.ini")});
    second.Handle({MessageKind::Initialize});
    ASSERT_FALSE(other.messageBoxes.shown.empty());
    EXPECT_EQ(other.messageBoxes.shown.back().text, "Unable to read a picture !");
    EXPECT_EQ(other.messageBoxes.shown.back().icon, platform::MessageIcon::Error);
    EXPECT_TRUE(other.window.closed);
    EXPECT_EQ(other.waveOutput.opens, 0);
}

TEST_F(MessageHandlerTest, HelpLineFollowsThePointer) {
    Send(MessageKind::MouseMove, kOpenX, kOpenY);
    ASSERT_EQ(host.textRenderer.drawn.size(), 1u);
    EXPECT_EQ(host.textRenderer.drawn[0].text, "Open a .WAV file... (Ctrl+O)");
    EXPECT_EQ(host.textRenderer.drawn[0].x, 20);
    EXPECT_EQ(host.textRenderer.drawn[0].y, 450);
    EXPECT_EQ(host.textRenderer.drawn[0].color, 0xFFFFFFu);
    EXPECT_TRUE(state().helpShown);

    Send(MessageKind::MouseMove, 560, 450);  // the logo
    EXPECT_EQ(host.textRenderer.drawn.back().text, "About Brendale... (F1)");

    Send(MessageKind::MouseMove, 5, 5);
    EXPECT_FALSE(state().helpShown);
    for (int x = 20; x < 300; x += 7) {
        ASSERT_EQ(state().screen.window.Pixel(x, 455), 0u);  // erased
    }

    state().settings.displayHelp = 0;
    Send(MessageKind::MouseMove, kOpenX, kOpenY);
    EXPECT_EQ(host.textRenderer.drawn.size(), 2u);
}

TEST_F(MessageHandlerTest, ButtonsLookPressedUntilReleasedAnywhere) {
    Send(MessageKind::LeftButtonDown, kUndoX, kUndoY);
    EXPECT_TRUE(Shows(118, 260, 210, 120, 40));
    Send(MessageKind::LeftButtonUp, 5, 5);
    EXPECT_TRUE(Shows(109, 260, 210, 120, 40));
    EXPECT_EQ(state().pressedHotspot, NO_HOTSPOT);
}

TEST_F(MessageHandlerTest, CategoryButtonStepsBothWays) {
    Click(kCategoryX, kCategoryY);
    EXPECT_EQ(state().category, kTransmissions);
    EXPECT_TRUE(LabelsShow(kTransmissions));
    const CategoryLabel& label = state().categoryLabels[kTransmissions];
    EXPECT_TRUE(Shows(label.brightBitmap, label.labelX, label.labelY, label.labelWidth, 15));

    // A double click is a second press: two steps.
    Send(MessageKind::LeftButtonDown, kCategoryX, kCategoryY);
    Send(MessageKind::LeftButtonUp, kCategoryX, kCategoryY);
    Send(MessageKind::LeftButtonDoubleClick, kCategoryX, kCategoryY);
    Send(MessageKind::LeftButtonUp, kCategoryX, kCategoryY);
    EXPECT_EQ(state().category, kAcoustics);

    RightClick(kCategoryX, kCategoryY);
    EXPECT_EQ(state().category, kVolumes);
    EXPECT_TRUE(LabelsShow(kVolumes));
    EXPECT_TRUE(Shows(152, 195, 288, 120, 40));  // raised again (above its label)

    // Categories also change while a sound plays.
    state().playback.playing = 1;
    Click(kCategoryX, kCategoryY);
    EXPECT_EQ(state().category, kAcoustics);
}

TEST_F(MessageHandlerTest, OpenReadsWithTheChosenFilterAndPlays) {
    const std::string path = SaveSound({100, -200, 300}, 8000);
    host.fileDialogs.openAnswers = {platform::OpenChoice{path, 2}};
    Click(kOpenX, kOpenY);
    ASSERT_EQ(host.fileDialogs.openCalls, 1);
    ASSERT_EQ(host.fileDialogs.lastFilters.size(), 7u);
    EXPECT_EQ(host.fileDialogs.lastFilters[0].name, "All sound files");
    EXPECT_EQ(host.fileDialogs.lastFilters[4].name, "Amiga 8SVX .IFF");
    EXPECT_EQ(host.fileDialogs.lastFilters[6].pattern, "*.voc;*.VOC");
    EXPECT_EQ(host.fileDialogs.lastInitialDirectory, folder.File("data") + "/waves");
    EXPECT_EQ(state().sound.samples, (std::vector<std::int16_t>{100, -200, 300}));
    EXPECT_EQ(state().currentPath, path);
    EXPECT_TRUE(state().playing());
    EXPECT_EQ(host.waveOutput.sampleRate, 8000u);

    // While playing, Open is refused.
    Click(kOpenX, kOpenY);
    EXPECT_EQ(host.fileDialogs.openCalls, 1);

    // A cancelled dialog changes nothing.
    FinishPlayback();
    Click(kOpenX, kOpenY);
    EXPECT_EQ(state().sound.sampleCount(), 3u);
    EXPECT_FALSE(state().playing());
}

TEST_F(MessageHandlerTest, SaveWritesTheSoundWithTheWavRule) {
    host.fileDialogs.saveAnswers = {folder.File("take")};
    Click(kSaveX, kSaveY);
    EXPECT_EQ(state().currentPath, folder.File("take.wav"));
    EXPECT_EQ(std::filesystem::file_size(folder.File("take.wav")),
              2u * state().sound.sampleCount() + 102u);
    ASSERT_EQ(host.fileDialogs.lastFilters.size(), 6u);
    EXPECT_EQ(host.fileDialogs.lastFilters[0].name, "Sound File .WAV");
    EXPECT_EQ(host.fileDialogs.lastFilters[0].pattern, "*.wav");
}

// A refused file shows the reader's message exactly as it always has, under no wait cursor,
// and leaves the sound as it was; the window still redraws and plays it.
TEST_F(MessageHandlerTest, OpenShowsWhyAFileIsRefused) {
    const std::vector<std::int16_t> welcome = state().sound.samples;
    const std::uint32_t welcomeRate = state().sound.sampleRate;
    // A WAV file whose samples are ADPCM, and one that is no WAV file at all.
    const std::string adpcm = folder.File("adpcm.wav");
    testing::WriteBytes(adpcm, testing::Bytes()
                                   .Tag("RIFF")
                                   .U32LE(40)
                                   .Tag("WAVE")
                                   .Tag("fmt ")
                                   .U32LE(16)
                                   .U16LE(2)
                                   .U16LE(1)
                                   .U32LE(22050)
                                   .U32LE(11025)
                                   .U16LE(1)
                                   .U16LE(4)
                                   .Tag("data")
                                   .U32LE(4)
                                   .U32LE(0x11111111)
                                   .data);
    const std::string text = folder.File("notes.wav");
    testing::WriteText(text, "not a sound");
    const struct {
        std::string path;
        const char* message;
        platform::MessageIcon icon;
    } cases[] = {
        {adpcm, "This compression format is not supported !", platform::MessageIcon::Warning},
        {text, "This is not a .WAV file !", platform::MessageIcon::None},
        {folder.File("missing.wav"), "Marvolin is unable to open this file !",
         platform::MessageIcon::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        host.messageBoxes.shown.clear();
        const int waits = host.cursor.waitsShown;
        host.fileDialogs.openAnswers = {platform::OpenChoice{c.path, 2}};  // the WAV entry
        Click(kOpenX, kOpenY);
        ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(host.messageBoxes.shown[0].text, c.message);
        EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
        EXPECT_EQ(host.messageBoxes.shown[0].icon, c.icon);
        EXPECT_EQ(host.messageBoxes.shown[0].buttons, platform::MessageButtons::Ok);
        EXPECT_EQ(host.cursor.waitsShown, waits + 1);
        EXPECT_EQ(host.cursor.waitDepth, 0);
        EXPECT_EQ(state().sound.samples, welcome);
        EXPECT_EQ(state().sound.sampleRate, welcomeRate);
        EXPECT_EQ(state().currentPath, c.path);
        EXPECT_TRUE(state().playing());  // play sound after loading, as before
        FinishPlayback();
    }
}

// A file whose block cannot be had lets the old sound go: no block, at 44100 Hz.
TEST_F(MessageHandlerTest, OpenWithoutMemoryLeavesNoSound) {
    const std::string path = SaveSound({1, 2, 3}, 8000);
    host.fileDialogs.openAnswers = {platform::OpenChoice{path, 1}};
    platform::AllocationFailures::FailLargerThan(4);
    Click(kOpenX, kOpenY);
    platform::AllocationFailures::Reset();
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Not enough memory !");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
    EXPECT_EQ(host.messageBoxes.shown[0].icon, platform::MessageIcon::None);
    EXPECT_FALSE(state().sound.hasBlock);
    EXPECT_EQ(state().sound.sampleRate, 44100u);
    EXPECT_FALSE(state().playing());
}

TEST_F(MessageHandlerTest, AFailedSaveSaysSoAndKeepsThePathChosen) {
    host.fileDialogs.saveAnswers = {folder.File("no-such-folder/take")};
    Click(kSaveX, kSaveY);
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Unable to save this file !");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
    EXPECT_EQ(host.messageBoxes.shown[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(host.messageBoxes.shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(state().currentPath, folder.File("no-such-folder/take.wav"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("no-such-folder")));
}

TEST_F(MessageHandlerTest, EffectsReplaceTheSoundAndUndoSwapsBack) {
    const std::vector<std::int16_t> welcome = state().sound.samples;
    Send(MessageKind::LeftButtonDown, kEffect2X, kEffect2Y);
    EXPECT_TRUE(Shows(131, 318, 309, 17, 17));  // the lamp turns red
    Send(MessageKind::LeftButtonUp, kEffect2X, kEffect2Y);
    EXPECT_TRUE(Shows(137, 318, 309, 17, 17));
    EXPECT_EQ(state().clickedEffectButton, 9);
    EXPECT_EQ(state().undo.samples, welcome);
    const std::vector<std::int16_t> processed = state().sound.samples;
    EXPECT_NE(processed, welcome);
    EXPECT_TRUE(state().playing());  // play sound after processing

    // Effects and Undo are refused while playing; the press is remembered.
    Click(kEffect2X, kEffect2Y);
    Click(kUndoX, kUndoY);
    EXPECT_EQ(state().sound.samples, processed);
    EXPECT_EQ(state().pressedHotspot, NO_HOTSPOT);
    Send(MessageKind::LeftButtonDown, kEffect2X, kEffect2Y);
    Send(MessageKind::LeftButtonUp, kEffect2X, kEffect2Y);
    EXPECT_EQ(state().pressedHotspot, 9);

    FinishPlayback();
    Click(kUndoX, kUndoY);
    EXPECT_EQ(state().sound.samples, welcome);
    EXPECT_FALSE(state().playing());  // play sound after undo is off by default
    Click(kUndoX, kUndoY);
    EXPECT_EQ(state().sound.samples, processed);
}

TEST_F(MessageHandlerTest, AnEffectShortOfMemorySaysSo) {
    const std::vector<std::int16_t> welcome = state().sound.samples;
    // The press paints the lamp; the release applies the effect, whose first block fails.
    Send(MessageKind::LeftButtonDown, kEffect2X, kEffect2Y);
    platform::AllocationFailures::FailNext();
    Send(MessageKind::LeftButtonUp, kEffect2X, kEffect2Y);
    platform::AllocationFailures::Reset();
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Not enough memory to apply effect !");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
    EXPECT_EQ(host.messageBoxes.shown[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(host.messageBoxes.shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(state().sound.samples, welcome);
}

TEST_F(MessageHandlerTest, UndoBeforeAnyEffectDoesNothing) {
    const std::vector<std::int16_t> welcome = state().sound.samples;
    Click(kUndoX, kUndoY);
    EXPECT_EQ(state().sound.samples, welcome);
}

TEST_F(MessageHandlerTest, PlayTurnsIntoStop) {
    Click(kPlayX, kPlayY);
    EXPECT_TRUE(state().playing());
    EXPECT_TRUE(Shows(171, 120, 210, 120, 40));
    Send(MessageKind::LeftButtonDown, kPlayX, kPlayY);
    EXPECT_TRUE(Shows(170, 120, 210, 120, 40));
    Send(MessageKind::LeftButtonUp, kPlayX, kPlayY);
    Click(kPlayX, kPlayY);
    const std::size_t presented = host.window.presented.size();
    Send(MessageKind::Paint);  // a repaint while playing keeps the Stop face
    EXPECT_TRUE(Shows(171, 120, 210, 120, 40));
    EXPECT_EQ(host.window.presented.size(), presented);  // the paint itself shows it
    Send(MessageKind::LeftButtonDown, kPlayX, kPlayY);
    Send(MessageKind::LeftButtonUp, kPlayX, kPlayY);
    EXPECT_FALSE(state().playing());
    EXPECT_TRUE(Shows(111, 120, 210, 120, 40));
    EXPECT_FALSE(host.waveOutput.open);

    // The device's late notification about the stopped buffer changes nothing.
    Click(kPlayX, kPlayY);
    host.DeliverPending(*window);
    EXPECT_TRUE(state().playing());

    // No samples: Play is ignored.
    FinishPlayback();
    state().sound.Install({});
    Click(kPlayX, kPlayY);
    EXPECT_FALSE(state().playing());
}

// While recording, every command but Record and the window's close command is ignored.
TEST_F(MessageHandlerTest, RecordingRefusesEveryOtherCommand) {
    Click(kEffect2X, kEffect2Y);
    FinishPlayback();
    const std::vector<std::int16_t> sound = state().sound.samples;
    const std::vector<std::int16_t> undo = state().undo.samples;
    state().recorder.recording = 1;
    host.fileDialogs.openAnswers = {platform::OpenChoice{SaveSound({1, 2}, 8000), 1}};
    host.fileDialogs.saveAnswers = {folder.File("refused.wav")};
    for (const auto& [x, y] :
         {std::pair{kOpenX, kOpenY}, std::pair{kSaveX, kSaveY}, std::pair{kPlayX, kPlayY},
          std::pair{kUndoX, kUndoY}, std::pair{kEffect2X, kEffect2Y}}) {
        Click(x, y);
    }
    EXPECT_EQ(host.fileDialogs.openCalls, 0);
    EXPECT_EQ(host.fileDialogs.saveCalls, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.File("refused.wav")));
    EXPECT_FALSE(state().playing());
    EXPECT_EQ(state().sound.samples, sound);
    EXPECT_EQ(state().undo.samples, undo);
    EXPECT_TRUE(host.messageBoxes.shown.empty());

    // The same clicks run once recording is over.
    state().recorder.recording = 0;
    Click(kUndoX, kUndoY);
    EXPECT_EQ(state().sound.samples, undo);
}

}  // namespace
}  // namespace marvolin::app
