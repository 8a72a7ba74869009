#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/keyboard_shortcuts.h"
#include "formats/wav.h"
#include "window_fixture.h"

namespace marvolin::app {
namespace {

using platform::Key;
using platform::Message;
using platform::MessageKind;

// A window of its own, started like the fixture's, so that a key and a click can be compared
// on two windows that are otherwise alike.
struct Session {
    Session() {
        testing::CopyProgramData(folder.File("data"));
        host.fileDialogs.openAnswers = {std::nullopt};
        window = std::make_unique<MainWindow>(
            host.services, ProgramFiles{folder.File("data"), folder.File("marvolin.ini")});
        window->Handle({MessageKind::Initialize});
        window->Handle({MessageKind::Paint});
        host.waveOutput.Finish();
        host.DeliverPending(*window);
    }
    MainWindowState& state() { return window->state(); }
    void Send(MessageKind kind, int x = 0, int y = 0) { window->Handle({kind, x, y}); }
    void Click(int x, int y, MouseButton button) {
        if (button == MouseButton::Left) {
            Send(MessageKind::LeftButtonDown, x, y);
            Send(MessageKind::LeftButtonUp, x, y);
        } else {
            Send(MessageKind::RightButtonDown, x, y);
            Send(MessageKind::RightButtonUp, x, y);
        }
    }
    void Press(Key key, bool control) {
        Message message{MessageKind::KeyPress};
        message.key = key;
        message.control = control;
        window->Handle(message);
    }

    testing::TemporaryFolder folder;
    platform::headless::HeadlessPlatform host;
    std::unique_ptr<MainWindow> window;
};

enum class Busy { Idle, Playing, Recording };

void Bring(Session& session, Busy busy) {
    if (busy == Busy::Playing) {
        session.Click(130, 220, MouseButton::Left);
        ASSERT_TRUE(session.state().playing());
    } else if (busy == Busy::Recording) {
        session.Click(410, 170, MouseButton::Left);
        ASSERT_TRUE(session.state().recording());
    }
}

// Everything a command can change that a test can see.
void ExpectAlike(Session& clicked, Session& keyed) {
    MainWindowState& a = clicked.state();
    MainWindowState& b = keyed.state();
    EXPECT_EQ(a.playing(), b.playing());
    EXPECT_EQ(a.recording(), b.recording());
    EXPECT_EQ(a.category, b.category);
    EXPECT_EQ(a.pressedHotspot, b.pressedHotspot);
    EXPECT_EQ(a.clickedEffectButton, b.clickedEffectButton);
    EXPECT_EQ(a.sound.samples, b.sound.samples);
    EXPECT_EQ(a.undo.samples, b.undo.samples);
    EXPECT_EQ(clicked.host.messageBoxes.shown.size(), keyed.host.messageBoxes.shown.size());
    EXPECT_EQ(clicked.host.fileDialogs.openCalls, keyed.host.fileDialogs.openCalls);
    EXPECT_EQ(clicked.host.fileDialogs.saveCalls, keyed.host.fileDialogs.saveCalls);
    EXPECT_EQ(clicked.host.dialogs.settingsShown.size(), keyed.host.dialogs.settingsShown.size());
    EXPECT_EQ(clicked.host.dialogs.aboutShown.size(), keyed.host.dialogs.aboutShown.size());
    EXPECT_EQ(clicked.host.window.closed, keyed.host.window.closed);
    EXPECT_EQ(clicked.host.waveOutput.opens, keyed.host.waveOutput.opens);
    EXPECT_EQ(clicked.host.waveInput.opens, keyed.host.waveInput.opens);
    int differing = 0;
    for (int y = 0; y < screen::kWindowHeight; ++y) {
        for (int x = 0; x < screen::kWindowWidth; ++x) {
            differing += a.screen.window.Pixel(x, y) != b.screen.window.Pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0) << "pixels differ";
}

struct Shortcut {
    Key key;
    bool control;
    int x;  // the point clicked instead
    int y;
    MouseButton button;
    const char* name;
};

const Shortcut kShortcuts[] = {
    {Key::Space, false, kPlayX, kPlayY, MouseButton::Left, "Space"},
    {Key::R, false, kRecordX, kRecordY, MouseButton::Left, "R"},
    {Key::O, true, kOpenX, kOpenY, MouseButton::Left, "Ctrl+O"},
    {Key::S, true, kSaveX, kSaveY, MouseButton::Left, "Ctrl+S"},
    {Key::Z, true, kUndoX, kUndoY, MouseButton::Left, "Ctrl+Z"},
    {Key::U, false, kUndoX, kUndoY, MouseButton::Left, "U"},
    {Key::Comma, true, kOptionsX, kOptionsY, MouseButton::Left, "Ctrl+,"},
    {Key::F1, false, kLogoX, kLogoY, MouseButton::Left, "F1"},
    {Key::I, true, kLogoX, kLogoY, MouseButton::Left, "Ctrl+I"},
    {Key::Escape, false, kExitX, kExitY, MouseButton::Left, "Escape"},
    {Key::Q, true, kExitX, kExitY, MouseButton::Left, "Ctrl+Q"},
    {Key::Right, false, kCategoryX, kCategoryY, MouseButton::Left, "Right"},
    {Key::PageDown, false, kCategoryX, kCategoryY, MouseButton::Left, "Page Down"},
    {Key::Left, false, kCategoryX, kCategoryY, MouseButton::Right, "Left"},
    {Key::PageUp, false, kCategoryX, kCategoryY, MouseButton::Right, "Page Up"},
    {Key::Digit1, false, 368, 291, MouseButton::Left, "1"},
    {Key::Digit2, false, kEffect2X, kEffect2Y, MouseButton::Left, "2"},
    {Key::Digit3, false, 447, 350, MouseButton::Left, "3"},
    {Key::Digit4, false, 394, 384, MouseButton::Left, "4"},
    {Key::Digit5, false, 384, 412, MouseButton::Left, "5"},
};

// Every shortcut, in each of the window's three states, does what the click on its button
// does: runs, is refused or steps exactly alike, down to the last pixel.
TEST(KeyboardTest, EveryShortcutActsLikeItsClickInEveryState) {
    for (const Busy busy : {Busy::Idle, Busy::Playing, Busy::Recording}) {
        for (const Shortcut& shortcut : kShortcuts) {
            SCOPED_TRACE(std::string(shortcut.name) + " in state " +
                         std::to_string(static_cast<int>(busy)));
            Session clicked;
            Session keyed;
            // An effect first, so that Undo has something to undo.
            clicked.Click(kEffect2X, kEffect2Y, MouseButton::Left);
            keyed.Click(kEffect2X, kEffect2Y, MouseButton::Left);
            clicked.host.waveOutput.Finish();
            clicked.host.DeliverPending(*clicked.window);
            keyed.host.waveOutput.Finish();
            keyed.host.DeliverPending(*keyed.window);
            Bring(clicked, busy);
            Bring(keyed, busy);
            clicked.Click(shortcut.x, shortcut.y, shortcut.button);
            keyed.Press(shortcut.key, shortcut.control);
            ExpectAlike(clicked, keyed);
        }
    }
}

TEST(KeyboardTest, ShortcutsRunTheirCommands) {
    Session session;
    session.Press(Key::Space, false);
    EXPECT_TRUE(session.state().playing());
    session.Press(Key::Space, false);
    EXPECT_FALSE(session.state().playing());

    session.Press(Key::O, true);
    EXPECT_EQ(session.host.fileDialogs.openCalls, 1);
    session.Press(Key::Digit1, false);  // Robots: Android
    EXPECT_EQ(session.state().clickedEffectButton, kFirstEffectHotspot);
    EXPECT_TRUE(session.state().undo.hasBlock);
    session.host.waveOutput.Finish();
    session.host.DeliverPending(*session.window);
    const std::vector<std::int16_t> processed = session.state().sound.samples;
    session.Press(Key::U, false);
    EXPECT_EQ(session.state().undo.samples, processed);

    session.Press(Key::Right, false);
    EXPECT_EQ(session.state().category, kTransmissions);
    session.Press(Key::PageUp, false);
    session.Press(Key::PageUp, false);
    EXPECT_EQ(session.state().category, kFilters);

    session.Press(Key::F1, false);
    EXPECT_EQ(session.host.dialogs.aboutShown.size(), 1u);
    session.host.messageBoxes.answers = {platform::MessageAnswer::Cancel};
    session.Press(Key::Escape, false);
    ASSERT_EQ(session.host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(session.host.messageBoxes.shown[0].text, "Do you really want to exit ?");
    EXPECT_FALSE(session.host.window.closed);
}

TEST(KeyboardTest, OtherKeysAndOtherModifiersDoNothing) {
    Session session;
    const std::vector<std::uint32_t> before(
        session.state().screen.window.View().pixels,
        session.state().screen.window.View().pixels + screen::kWindowWidth * screen::kWindowHeight);
    session.Press(Key::Other, false);
    session.Press(Key::O, false);     // Open needs Ctrl
    session.Press(Key::Space, true);  // Play does not take Ctrl
    session.Press(Key::R, true);
    session.Press(Key::Digit3, true);
    session.Press(Key::Escape, true);
    EXPECT_FALSE(session.state().playing());
    EXPECT_FALSE(session.state().recording());
    EXPECT_EQ(session.host.fileDialogs.openCalls, 0);
    EXPECT_TRUE(session.host.messageBoxes.shown.empty());
    EXPECT_FALSE(session.state().undo.hasBlock);
    EXPECT_EQ(session.state().category, kRobots);
    EXPECT_TRUE(
        std::equal(before.begin(), before.end(), session.state().screen.window.View().pixels));
}

TEST(KeyboardTest, TheWheelStepsTheCategoryOneNotchAtATime) {
    Session session;
    Message wheel{MessageKind::Wheel};
    wheel.wheelSteps = 1;  // away from the user: back
    session.window->Handle(wheel);
    EXPECT_EQ(session.state().category, kFilters);
    wheel.wheelSteps = -1;
    session.window->Handle(wheel);
    session.window->Handle(wheel);
    EXPECT_EQ(session.state().category, kTransmissions);
    wheel.wheelSteps = 0;
    session.window->Handle(wheel);
    EXPECT_EQ(session.state().category, kTransmissions);
}

TEST(KeyboardTest, HelpLinesNameTheShortcutWhereItAddsToTheText) {
    Session session;
    const auto helpAt = [&](int x, int y) {
        session.Send(MessageKind::MouseMove, x, y);
        return session.host.textRenderer.drawn.back().text;
    };
    EXPECT_EQ(helpAt(kPlayX, kPlayY), "Play sound... (Space)");
    EXPECT_EQ(helpAt(kOpenX, kOpenY), "Open a .WAV file... (Ctrl+O)");
    EXPECT_EQ(helpAt(kRecordX, kRecordY), "Record a sound... (R)");
    EXPECT_EQ(helpAt(kExitX, kExitY), "Exit Marvolin... (Esc)");
    EXPECT_EQ(helpAt(kCategoryX, kCategoryY), "Choice of the effect's category (Left, Right)");
    // "Select effect number 2..." already names its key.
    EXPECT_EQ(helpAt(kEffect2X, kEffect2Y), "Select effect number 2...");
}

}  // namespace
}  // namespace marvolin::app
