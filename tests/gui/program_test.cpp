#include "platform/qt/program.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <QAccessible>

#include "fine_pixels.h"
#include "formats/wav.h"
#include "modal_answerer.h"
#include "platform/paths.h"
#include "support/test_files.h"

namespace marvolin::platform::qt {
namespace {

using testing::ModalAnswerer;

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// The program as main() builds it, over a private data folder and settings folder.
class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest()
        : configHome("XDG_CONFIG_HOME", folder.File("config")),
          dataFolder("MARVOLIN_DATA_DIR", folder.File("data")) {
        std::filesystem::create_directories(folder.File("config"));
        testing::CopyProgramData(folder.File("data"));
    }

    Program& Make() {
        program.emplace(app::ProgramFiles{DataFolder(), SettingsFilePath()});
        return *program;
    }

    // A left click at a point of the window, as the window system delivers it.
    void Click(int x, int y) {
        QTest::mouseClick(program->widget().windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    }

    testing::TemporaryFolder folder;
    ScopedEnvironment configHome;
    ScopedEnvironment dataFolder;
    std::optional<Program> program;
};

TEST_F(ProgramTest, StartsCentredFramelessWithTheWelcomeSound) {
    ModalAnswerer answerer;
    Program& started = Make();
    ASSERT_TRUE(started.Start());
    MainWidget& widget = started.widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));

    EXPECT_TRUE(widget.isVisible());
    EXPECT_TRUE(widget.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(widget.size(), QSize(640, 480));
    EXPECT_EQ(widget.windowTitle(), QStringLiteral("Marvolin"));
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(widget.pos(), QPoint(desktop.left() + (desktop.width() - 640) / 2,
                                   desktop.top() + (desktop.height() - 480) / 2));

    EXPECT_TRUE(started.window().state().initialized);
    EXPECT_GT(started.window().state().sound.sampleCount(), 0u);
    EXPECT_TRUE(answerer.shown.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(widget.closedByProgram());
}

TEST_F(ProgramTest, CloseFromOutsideEndsTheProgramWithoutAQuestion) {
    ModalAnswerer answerer;
    Program& started = Make();
    ASSERT_TRUE(started.Start());
    QSignalSpy ended(&started.widget(), &MainWidget::ClosedByProgram);

    EXPECT_TRUE(started.widget().close());

    EXPECT_FALSE(started.widget().isVisible());
    EXPECT_TRUE(started.widget().closedByProgram());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(answerer.modalsSeen, 0);
}

TEST_F(ProgramTest, ExitButtonAsksFirstAndOnlyOkEndsTheProgram) {
    ModalAnswerer answerer(
        {ModalAnswerer::Click(QMessageBox::Cancel), ModalAnswerer::Click(QMessageBox::Ok)});
    Program& started = Make();
    ASSERT_TRUE(started.Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&started.widget()));
    QSignalSpy ended(&started.widget(), &MainWidget::ClosedByProgram);

    Click(499, 389);
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, QStringLiteral("Do you really want to exit ?"));
    EXPECT_EQ(answerer.shown[0].caption, QStringLiteral("Are you sure ?"));
    EXPECT_EQ(answerer.shown[0].icon, QMessageBox::Question);
    EXPECT_EQ(answerer.shown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_TRUE(started.widget().isVisible());
    EXPECT_EQ(ended.count(), 0);

    Click(527, 415);  // the button's far corner is still on it
    EXPECT_EQ(answerer.shown.size(), 2u);
    EXPECT_FALSE(started.widget().isVisible());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(answerer.stuck);
}

TEST_F(ProgramTest, OptionsAndTheLogoOpenTheirDialogs) {
    QStringList titles;
    auto closeAndNote = [&titles](QWidget& modal) {
        titles.push_back(modal.windowTitle());
        modal.close();
    };
    ModalAnswerer answerer({closeAndNote, closeAndNote});
    Program& started = Make();
    ASSERT_TRUE(started.Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&started.widget()));
    started.platform().waveOutput.Reset();  // the welcome sound would refuse both
    QTest::qWait(50);

    Click(460, 230);
    Click(560, 450);

    EXPECT_EQ(titles,
              QStringList({QStringLiteral("Marvolin Settings"), QStringLiteral("About us...")}));
    EXPECT_FALSE(answerer.stuck);
}

TEST_F(ProgramTest, MissingWelcomeSoundIsReportedOnceAndTheProgramGoesOn) {
    std::filesystem::remove(folder.File("data/waves/welcome.wav"));
    ModalAnswerer answerer;
    Program& started = Make();

    ASSERT_TRUE(started.Start());

    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, QStringLiteral("Marvolin is unable to open this file !"));
    EXPECT_EQ(answerer.shown[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(answerer.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(started.widget().isVisible());
    EXPECT_FALSE(started.widget().closedByProgram());
    EXPECT_EQ(started.window().state().sound.sampleCount(), 0u);
    EXPECT_TRUE(started.window().state().initialized);
}

}  // namespace
}  // namespace marvolin::platform::qt

namespace marvolin::platform::qt {
namespace {

TEST_F(ProgramTest, ANamedFileOpensKeysWorkAndTheTreeNamesTheButtons) {
    ModalAnswerer answerer;
    formats::SoundBuffer sound;
    sound.Install({1000, -1000, 2000});
    sound.sampleRate = 8000;
    ASSERT_TRUE(formats::SaveWav(sound, folder.File("named.wav")).ok());
    program.emplace(app::ProgramFiles{DataFolder(), SettingsFilePath(), folder.File("named.wav")});
    ASSERT_TRUE(program->Start());
    MainWidget& widget = program->widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    EXPECT_EQ(widget.windowTitle(), QStringLiteral("named.wav - Marvolin"));
    EXPECT_EQ(program->window().state().sound.samples, sound.samples);

    QTest::keyClick(&widget, Qt::Key_Right);
    EXPECT_EQ(program->window().state().category, app::kTransmissions);

    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->childCount(), 14);
    EXPECT_EQ(panel->child(0)->text(QAccessible::Name), QStringLiteral("Open"));
    EXPECT_EQ(panel->child(8)->text(QAccessible::Name), QStringLiteral("Transmissions: Jamming"));
    EXPECT_EQ(panel->child(13)->role(), QAccessible::Button);
}

// Run again by ctest with QT_SCALE_FACTOR=2 (gui_window_at_twice); skipped at ratio 1.
using WindowAtTwiceProgram = ProgramTest;

TEST_F(WindowAtTwiceProgram, TheWelcomeSoundsTraceIsDrawnInTheScreensResolution) {
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != QLatin1String("2")) {
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    }
    ModalAnswerer answerer;
    Program& started = Make();
    ASSERT_TRUE(started.Start());
    MainWidget& widget = started.widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    ASSERT_EQ(widget.devicePixelRatioF(), 2.0);
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(1280, 960));
    EXPECT_GT(testing::PartlyTraced(shown, QRect(118, 58, 394, 95)), 100);
    EXPECT_TRUE(answerer.shown.empty());
}

}  // namespace
}  // namespace marvolin::platform::qt
