#include "platform/qt/qt_modal_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "app/about_box.h"
#include "app/settings_dialog.h"
#include "modal_answerer.h"
#include "platform/headless/headless_platform.h"
#include "platform/qt/qt_cursor.h"
#include "support/test_files.h"

namespace marvolin::platform::qt {
namespace {

using testing::ModalAnswerer;

template <typename Control>
Control* Find(QWidget& dialog, int control) {
    auto* found = dialog.findChild<Control*>(QString::number(control));
    if (found == nullptr) {
        ADD_FAILURE() << "no control " << control;
    }
    return found;
}

bool IsCentredOnTheDesktop(const QWidget& dialog) {
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    return dialog.pos() == QPoint(desktop.left() + (desktop.width() - dialog.width()) / 2,
                                  desktop.top() + (desktop.height() - dialog.height()) / 2);
}

class SettingsDialogTest : public ::testing::Test {
  protected:
    SettingsDialogTest() {
        devices.inputs = {"Microphone", "Line in"};
        devices.outputs = {"Speakers", "Headphones", "HDMI"};
    }

    // Runs the dialog, with `step` working it once it shows.
    void Run(ModalAnswerer::Step step) {
        ModalAnswerer answerer({std::move(step)});
        app::SettingsDialog handler(settings, file(), devices);
        dialogs.RunSettings(handler);
        EXPECT_EQ(answerer.modalsSeen, 1);
        EXPECT_FALSE(answerer.stuck);
    }
    std::string file() const { return folder.File("marvolin.ini"); }

    testing::TemporaryFolder folder;
    headless::FixedAudioDeviceList devices;
    app::Settings settings;
    QtCursor cursor;
    QtModalDialogs dialogs{cursor};
};

TEST_F(SettingsDialogTest, ShowsTheSettingsInEveryControl) {
    testing::WriteText(file(),
                       "[Marvolin]\nAudio output=2\nAudio input=7\nSampling Frequency=3\n"
                       "Default .WAV directory=/home/me\nplay sound after undo=5\n"
                       "Display help=0\n");
    Run([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Marvolin Settings"));
        EXPECT_TRUE(IsCentredOnTheDesktop(dialog));
        auto* outputs = Find<QComboBox>(dialog, kOutputDeviceList);
        ASSERT_EQ(outputs->count(), 3);
        EXPECT_EQ(outputs->itemText(1), QStringLiteral("Headphones"));
        EXPECT_EQ(outputs->currentIndex(), 2);
        EXPECT_EQ(Find<QComboBox>(dialog, kInputDeviceList)->currentIndex(), -1);
        EXPECT_EQ(Find<QLineEdit>(dialog, kDirectoryField)->text(), QStringLiteral("/home/me"));
        EXPECT_TRUE(Find<QRadioButton>(dialog, kRate16000Button)->isChecked());
        EXPECT_EQ(Find<QRadioButton>(dialog, kRate32000Button)->text(), QStringLiteral("32000 Hz"));
        EXPECT_TRUE(Find<QCheckBox>(dialog, kPlayAfterUndoBox)->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(dialog, kDisplayHelpBox)->isChecked());
        EXPECT_EQ(Find<QCheckBox>(dialog, kAutoTruncateBox)->text(),
                  QStringLiteral("Auto-truncate recorded sample"));
        EXPECT_TRUE(Find<QPushButton>(dialog, kSettingsOk)->isDefault());
        Find<QPushButton>(dialog, kSettingsCancel)->click();
    });
    EXPECT_EQ(settings.audioOutput, 2);
    EXPECT_EQ(settings.audioInput, 7);  // kept, although no list position shows it
}

TEST_F(SettingsDialogTest, OkWritesWhatTheControlsWereSetTo) {
    testing::WriteText(file(), "[Marvolin]\nplay sound after loading=5\n");
    Run([](QWidget& dialog) {
        Find<QComboBox>(dialog, kOutputDeviceList)->setCurrentIndex(1);
        Find<QLineEdit>(dialog, kDirectoryField)->setText(QStringLiteral("/tmp/sounds"));
        QTest::mouseClick(Find<QRadioButton>(dialog, kRate8000Button), Qt::LeftButton);
        auto* loading = Find<QCheckBox>(dialog, kPlayAfterLoadingBox);
        EXPECT_TRUE(loading->isChecked());  // 5 counts as on
        QTest::mouseClick(loading, Qt::LeftButton);
        EXPECT_FALSE(loading->isChecked());
        QTest::mouseClick(Find<QCheckBox>(dialog, kPlayAfterUndoBox), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Return);  // OK is the default button
    });
    EXPECT_EQ(testing::ReadText(file()),
              "[Marvolin]\n"
              "play sound after loading=0\n"
              "Sampling Frequency=1\n"
              "Default .WAV directory=/tmp/sounds\n"
              "play sound after processing=1\n"
              "play sound after undo=1\n"
              "play sound after recording=1\n"
              "Auto-truncate recorded sample=1\n"
              "Display help=1\n"
              "Audio input=0\n"
              "Audio output=1\n");
}

TEST_F(SettingsDialogTest, ARateOutsideTheSixChecksNoButtonAndCancelWritesNothing) {
    const std::string original = "[Marvolin]\nSampling Frequency=9\n";
    testing::WriteText(file(), original);
    Run([](QWidget& dialog) {
        for (int button : {kRate8000Button, kRate11025Button, kRate16000Button, kRate22050Button,
                           kRate32000Button, kRate44100Button}) {
            EXPECT_FALSE(Find<QRadioButton>(dialog, button)->isChecked()) << button;
        }
        QTest::mouseClick(Find<QRadioButton>(dialog, kRate44100Button), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Escape);  // Cancel
    });
    EXPECT_EQ(testing::ReadText(file()), original);
    EXPECT_EQ(settings.samplingFrequency, 6);  // in force until the dialog opens again

    // The window's close command cancels too; the reopened dialog shows the file again.
    Run([](QWidget& dialog) {
        EXPECT_FALSE(Find<QRadioButton>(dialog, kRate44100Button)->isChecked());
        dialog.close();
    });
    EXPECT_EQ(settings.samplingFrequency, 9);
}

TEST(AboutBoxTest, ShowsTheLogoAndSixCentredLinesAndIgnoresEscape) {
    QtCursor cursor;
    QtModalDialogs dialogs{cursor};
    bool stillOpenAfterEscape = false;
    ModalAnswerer answerer({[&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About us..."));
        EXPECT_TRUE(IsCentredOnTheDesktop(dialog));
        auto* logo = dialog.findChild<QLabel*>(QStringLiteral("logo"));
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->pixmap().size(), QSize(150, 31));
        for (int line = 1; line <= 6; ++line) {
            auto* label = dialog.findChild<QLabel*>(QStringLiteral("line%1").arg(line));
            ASSERT_NE(label, nullptr) << line;
            EXPECT_FALSE(label->text().isEmpty());
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        }
        QTest::keyClick(&dialog, Qt::Key_Escape);
        stillOpenAfterEscape = dialog.isVisible();
        QTest::keyClick(&dialog, Qt::Key_Enter);
    }});
    dialogs.RunAbout(app::AboutBox());
    EXPECT_TRUE(stillOpenAfterEscape);
    EXPECT_EQ(answerer.modalsSeen, 1);
    EXPECT_FALSE(answerer.stuck);

    ModalAnswerer closer({ModalAnswerer::CloseWindow()});
    dialogs.RunAbout(app::AboutBox());
    EXPECT_EQ(closer.modalsSeen, 1);
    EXPECT_FALSE(closer.stuck);
}

}  // namespace
}  // namespace marvolin::platform::qt
