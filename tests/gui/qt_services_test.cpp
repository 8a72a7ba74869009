#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "modal_answerer.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/qt_cursor.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_timers.h"
#include "support/test_files.h"

namespace marvolin::platform::qt {
namespace {

using testing::ModalAnswerer;

class QtServicesTest : public ::testing::Test {
  protected:
    void TearDown() override {
        while (QGuiApplication::overrideCursor() != nullptr) {
            QGuiApplication::restoreOverrideCursor();
        }
    }

    MainWidget widget;
    QtCursor cursor;
    QtMessageBoxes boxes{widget, cursor};
};

TEST_F(QtServicesTest, MessageBoxShowsTextCaptionIconAndButtonsModalToTheWindow) {
    ModalAnswerer answerer;
    boxes.Show("Do you really want to exit ?", "Are you sure ?", MessageIcon::Question,
               MessageButtons::OkCancel);
    boxes.Show("<b>not bold</b>", "Error", MessageIcon::None, MessageButtons::Ok);

    ASSERT_EQ(answerer.shown.size(), 2u);
    EXPECT_EQ(answerer.shown[0].text, QStringLiteral("Do you really want to exit ?"));
    EXPECT_EQ(answerer.shown[0].caption, QStringLiteral("Are you sure ?"));
    EXPECT_EQ(answerer.shown[0].icon, QMessageBox::Question);
    EXPECT_EQ(answerer.shown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(answerer.shown[0].parent, &widget);
    EXPECT_EQ(answerer.shown[1].text, QStringLiteral("<b>not bold</b>"));
    EXPECT_EQ(answerer.shown[1].textFormat, Qt::PlainText);
    EXPECT_EQ(answerer.shown[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(answerer.shown[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(QtServicesTest, MessageBoxAnswersFollowTheButtonPressed) {
    ModalAnswerer answerer({ModalAnswerer::Click(QMessageBox::Ok),
                            ModalAnswerer::Click(QMessageBox::Cancel), ModalAnswerer::Escape(),
                            ModalAnswerer::CloseWindow(), ModalAnswerer::Escape(),
                            ModalAnswerer::CloseWindow()});
    const auto ask = [this](MessageButtons buttons) {
        return boxes.Show("text", "caption", MessageIcon::Warning, buttons);
    };
    EXPECT_EQ(ask(MessageButtons::OkCancel), MessageAnswer::Ok);
    EXPECT_EQ(ask(MessageButtons::OkCancel), MessageAnswer::Cancel);
    EXPECT_EQ(ask(MessageButtons::OkCancel), MessageAnswer::Cancel);  // Escape
    EXPECT_EQ(ask(MessageButtons::OkCancel), MessageAnswer::Cancel);  // closed
    EXPECT_EQ(ask(MessageButtons::Ok), MessageAnswer::Ok);            // Escape
    EXPECT_EQ(ask(MessageButtons::Ok), MessageAnswer::Ok);            // closed
    EXPECT_EQ(answerer.modalsSeen, 6);
    EXPECT_FALSE(answerer.stuck);
}

TEST_F(QtServicesTest, WaitCursorsNestAndNeverUndoSomeoneElsesCursor) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    cursor.PushWait();
    cursor.PushWait();
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    cursor.Restore();
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    cursor.Restore();
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    cursor.Restore();  // one too many
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtServicesTest, MessageBoxShowsTheNormalPointerDuringAWait) {
    ModalAnswerer answerer;
    {
        WaitCursor wait(cursor);
        boxes.Show("Not enough memory !", "Error", MessageIcon::None, MessageButtons::Ok);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_EQ(cursor.depth(), 1);
    }
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_FALSE(answerer.shown[0].overrideCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

class TickSink : public MessageSink {
  public:
    void Handle(const Message& message) override {
        if (message.kind == MessageKind::Timer) {
            ticks.push_back(message.timerId);
            if (onTick) {
                onTick(message.timerId);
            }
        }
    }
    int Count(int id) const { return static_cast<int>(std::count(ticks.begin(), ticks.end(), id)); }

    std::vector<int> ticks;
    std::function<void(int)> onTick;
};

TEST_F(QtServicesTest, TimersTickWithTheirIdentifierUntilStopped) {
    TickSink sink;
    widget.SetSink(&sink);
    QtTimers timers(widget);

    EXPECT_EQ(timers.Start(7, 10), 7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink.Count(7) >= 2; }));

    // Timer 7 stops itself on its next tick; timer 8, slower, shows time went on after that.
    sink.onTick = [&](int id) {
        if (id == 7) {
            timers.Stop(7);
        }
    };
    sink.ticks.clear();
    EXPECT_EQ(timers.Start(8, 100), 8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink.Count(8) >= 1; }));
    EXPECT_EQ(sink.Count(7), 1);

    // Starting again restarts the same timer.
    timers.Stop(8);
    sink.onTick = nullptr;
    sink.ticks.clear();
    EXPECT_EQ(timers.Start(7, 10), 7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink.Count(7) >= 1; }));
    widget.SetSink(nullptr);
}

TEST_F(QtServicesTest, TimerIdentifiersMustBePositive) {
    QtTimers timers(widget);
    EXPECT_EQ(timers.Start(0, 500), 0);
    EXPECT_EQ(timers.Start(-3, 500), 0);
    timers.Stop(0);  // nothing to stop, nothing happens
}

class FileDialogsTest : public QtServicesTest {
  protected:
    FileDialogsTest() {
        testing::WriteText(folder.File("one.wav"), "RIFF");
        testing::WriteText(folder.File("two.aiff"), "FORM");
    }

    static QFileDialog& Dialog(QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (dialog == nullptr) {
            ADD_FAILURE() << "the modal window is not a file dialog";
            modal.close();
        }
        return *dialog;
    }

    // Types a name the way the user would; selectFile() leaves the name field alone while
    // it has the focus.
    static void TypeFileName(QFileDialog& dialog, const QString& name) {
        if (auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            field->setText(name);
        } else {
            dialog.selectFile(name);
        }
    }

    // QFileDialog checks the choice in its accept(), which it only exposes through QDialog.
    static void Accept(QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); }

    const std::vector<FileFilter> filters = {{"Microsoft .WAV", "*.wav"},
                                             {"Apple AIFF", "*.aif;*.aiff"}};
    testing::TemporaryFolder folder;
    QtFileDialogs dialogs{widget, cursor};
};

TEST_F(FileDialogsTest, OpenStartsOnTheFirstFilterAndReportsTheFilterLeftSelected) {
    QStringList nameFilters;
    QString startFilter;
    QString startDirectory;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    ModalAnswerer answerer({[&](QWidget& modal) {
        QFileDialog& dialog = Dialog(modal);
        nameFilters = dialog.nameFilters();
        startFilter = dialog.selectedNameFilter();
        startDirectory = dialog.directory().absolutePath();
        mode = dialog.fileMode();
        dialog.selectNameFilter(nameFilters.value(1));
        TypeFileName(dialog, QStringLiteral("two.aiff"));
        Accept(dialog);
    }});

    const auto choice = dialogs.ChooseFileToOpen(filters, folder.path());

    EXPECT_EQ(nameFilters, QStringList({QStringLiteral("Microsoft .WAV (*.wav)"),
                                        QStringLiteral("Apple AIFF (*.aif *.aiff)")}));
    EXPECT_EQ(startFilter, nameFilters.value(0));
    EXPECT_EQ(startDirectory, QString::fromStdString(folder.path()));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(std::filesystem::path(choice->path), std::filesystem::path(folder.File("two.aiff")));
    EXPECT_EQ(choice->filterIndex, 2);
}

TEST_F(FileDialogsTest, CancelledDialogsGiveNothing) {
    ModalAnswerer answerer({[](QWidget& modal) { Dialog(modal).reject(); },
                            [](QWidget& modal) { Dialog(modal).reject(); }});
    EXPECT_FALSE(dialogs.ChooseFileToOpen(filters, folder.path()).has_value());
    EXPECT_FALSE(dialogs.ChooseFileToSave(filters, folder.path()).has_value());
    EXPECT_EQ(answerer.modalsSeen, 2);
}

TEST_F(FileDialogsTest, SaveAddsTheFiltersExtensionToABareName) {
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    ModalAnswerer answerer({[&](QWidget& modal) {
        QFileDialog& dialog = Dialog(modal);
        acceptMode = dialog.acceptMode();
        TypeFileName(dialog, QStringLiteral("take"));
        Accept(dialog);
    }});

    const auto choice = dialogs.ChooseFileToSave(filters, folder.path());

    EXPECT_EQ(acceptMode, QFileDialog::AcceptSave);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(std::filesystem::path(choice->path), std::filesystem::path(folder.File("take.wav")));
    EXPECT_EQ(choice->filterIndex, 1);
}

// The user picks the second entry in the file type box: a bare name gets that entry's
// extension, and the choice names the entry.
TEST_F(FileDialogsTest, SaveReportsTheEntryChosenAndGivesABareNameItsExtension) {
    const std::vector<FileFilter> saveFilters = {{"Sound File .WAV", "*.wav"},
                                                 {"Ogg Opus voice message", "*.opus"}};
    ModalAnswerer answerer({[&](QWidget& modal) {
        QFileDialog& dialog = Dialog(modal);
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_Down);
        TypeFileName(dialog, QStringLiteral("message"));
        Accept(dialog);
    }});

    const auto choice = dialogs.ChooseFileToSave(saveFilters, folder.path());

    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(std::filesystem::path(choice->path),
              std::filesystem::path(folder.File("message.opus")));
    EXPECT_EQ(choice->filterIndex, 2);
}

TEST_F(FileDialogsTest, SaveAsksBeforeReplacingAFile) {
    int questions = 0;
    ModalAnswerer answerer({[&](QWidget& modal) {
                                QFileDialog& dialog = Dialog(modal);
                                TypeFileName(dialog, QStringLiteral("one.wav"));
                                Accept(dialog);
                            },
                            [&](QWidget& modal) {
                                // The replace question: say no, and leave the dialog.
                                if (qobject_cast<QMessageBox*>(&modal) != nullptr) {
                                    ++questions;
                                }
                                ModalAnswerer::Click(QMessageBox::No)(modal);
                            },
                            [](QWidget& modal) { Dialog(modal).reject(); }});

    EXPECT_FALSE(dialogs.ChooseFileToSave(filters, folder.path()).has_value());
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(answerer.stuck);
}

}  // namespace
}  // namespace marvolin::platform::qt
