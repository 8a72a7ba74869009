#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <vector>

#include "app/accessible_buttons.h"
#include "platform/qt/command_line.h"
#include "platform/qt/file_drops.h"
#include "platform/qt/key_mapping.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/panel_accessible.h"

namespace marvolin::platform::qt {
namespace {

class Sink : public MessageSink {
  public:
    void Handle(const Message& message) override {
        if (message.kind != MessageKind::Paint && message.kind != MessageKind::MouseMove) {
            received.push_back(message);
        }
    }
    std::vector<Message> received;
};

class DesktopWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        widget.SetSink(&sink);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        sink.received.clear();
    }
    MainWidget widget;
    Sink sink;
};

Message KeyOf(int key, Qt::KeyboardModifiers modifiers, bool repeat = false) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), repeat);
    return KeyMessageFor(event);
}

TEST(KeyMappingTest, KeysWithAndWithoutCtrl) {
    EXPECT_EQ(KeyOf(Qt::Key_Space, Qt::NoModifier).key, Key::Space);
    EXPECT_FALSE(KeyOf(Qt::Key_Space, Qt::NoModifier).control);
    const Message open = KeyOf(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(open.kind, MessageKind::KeyPress);
    EXPECT_EQ(open.key, Key::O);
    EXPECT_TRUE(open.control);
    EXPECT_EQ(KeyOf(Qt::Key_Comma, Qt::ControlModifier).key, Key::Comma);
    EXPECT_EQ(KeyOf(Qt::Key_3, Qt::KeypadModifier).key, Key::Digit3);
    EXPECT_EQ(KeyOf(Qt::Key_PageDown, Qt::NoModifier).key, Key::PageDown);
    // The desktop's own keys, repeats and keys without a use stay out.
    EXPECT_EQ(KeyOf(Qt::Key_F4, Qt::AltModifier).key, Key::Other);
    EXPECT_EQ(KeyOf(Qt::Key_O, Qt::AltModifier | Qt::ControlModifier).key, Key::Other);
    EXPECT_EQ(KeyOf(Qt::Key_Space, Qt::NoModifier, true).key, Key::Other);
    EXPECT_EQ(KeyOf(Qt::Key_A, Qt::NoModifier).key, Key::Other);
}

TEST(KeyMappingTest, WheelTurnsAddUpToWholeNotches) {
    WheelNotches notches;
    EXPECT_EQ(notches.Add(60), 0);
    EXPECT_EQ(notches.Add(60), 1);
    EXPECT_EQ(notches.Add(360), 3);
    EXPECT_EQ(notches.Add(-250), -2);
    EXPECT_EQ(notches.Add(-110), -1);  // -10 left over, then -110 more
}

TEST(CommandLineTest, TheFirstFileThatIsNotAnOption) {
    EXPECT_EQ(FileFromArguments({"marvolin"}), "");
    EXPECT_EQ(FileFromArguments({"marvolin", "/a/voice.wav", "/b/other.wav"}), "/a/voice.wav");
    EXPECT_EQ(FileFromArguments({"marvolin", "--verbose", "/a/voice.wav"}), "/a/voice.wav");
    EXPECT_EQ(FileFromArguments({"marvolin", "--", "-odd.wav"}),
              QDir::current().absoluteFilePath("-odd.wav").toStdString());
    EXPECT_EQ(FileFromArguments({"marvolin", "file:///a/b%20c.wav"}), "/a/b c.wav");
    EXPECT_EQ(FileFromArguments({"marvolin", "rel.wav"}),
              QDir::current().absoluteFilePath("rel.wav").toStdString());
}

TEST_F(DesktopWidgetTest, KeysAndWheelReachTheHandler) {
    QTest::keyClick(&widget, Qt::Key_Space);
    QTest::keyClick(&widget, Qt::Key_A);  // no use: not forwarded
    QTest::keyClick(&widget, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(sink.received.size(), 2u);
    EXPECT_EQ(sink.received[0].key, Key::Space);
    EXPECT_EQ(sink.received[1].key, Key::S);
    EXPECT_TRUE(sink.received[1].control);

    sink.received.clear();
    QWheelEvent wheel(QPointF(10, 10), widget.mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
    ASSERT_EQ(sink.received.size(), 2u);
    EXPECT_EQ(sink.received[0].kind, MessageKind::Wheel);
    EXPECT_EQ(sink.received[0].wheelSteps, -1);
}

TEST_F(DesktopWidgetTest, ADroppedLocalFileReachesTheHandler) {
    QMimeData data;
    data.setUrls({QUrl("https://example.invalid/x.wav"), QUrl::fromLocalFile("/tmp/a b.wav"),
                  QUrl::fromLocalFile("/tmp/second.wav")});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &drop);
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.received[0].kind, MessageKind::FileDropped);
    EXPECT_EQ(sink.received[0].path, "/tmp/a b.wav");

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(QPoint(20, 20), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(&widget, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(DesktopWidgetTest, AnOfferedDragCarriesTheFileItWrites) {
    int written = 0;
    widget.OfferDrag([&]() -> std::optional<std::string> {
        ++written;
        return std::string("/tmp/marvolin-drag/voice.wav");
    });
    EXPECT_TRUE(widget.dragOffered());
    const std::unique_ptr<QMimeData> data = widget.TakeDragData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->urls(), QList<QUrl>{QUrl::fromLocalFile("/tmp/marvolin-drag/voice.wav")});
    EXPECT_EQ(written, 1);
    EXPECT_EQ(widget.TakeDragData(), nullptr);  // used up

    widget.OfferDrag([]() -> std::optional<std::string> { return std::nullopt; });
    EXPECT_EQ(widget.TakeDragData(), nullptr);

    // The release ends an offer that no drag took.
    QTest::mousePress(widget.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    widget.OfferDrag([]() -> std::optional<std::string> { return std::string("/x.wav"); });
    QTest::mouseRelease(widget.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(widget.dragOffered());
}

TEST_F(DesktopWidgetTest, ScreenReadersFindNamedButtonsThatClick) {
    widget.SetAccessibleButtons({{{120, 210, 241, 251}, "Play", "Play sound... (Space)"},
                                 {{295, 281, 443, 302}, "Robots: Android", "Select effect..."}});
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->childCount(), 2);
    QAccessibleInterface* play = panel->child(0);
    ASSERT_NE(play, nullptr);
    EXPECT_TRUE(play->isValid());
    EXPECT_EQ(play->role(), QAccessible::Button);
    EXPECT_EQ(play->text(QAccessible::Name), QStringLiteral("Play"));
    EXPECT_EQ(play->text(QAccessible::Description), QStringLiteral("Play sound... (Space)"));
    EXPECT_EQ(play->parent(), panel);
    EXPECT_EQ(panel->indexOfChild(play), 0);
    EXPECT_EQ(play->rect(), QRect(widget.mapToGlobal(QPoint(120, 210)), QSize(121, 41)));
    EXPECT_EQ(panel->childAt(widget.mapToGlobal(QPoint(300, 290)).x(),
                             widget.mapToGlobal(QPoint(300, 290)).y()),
              panel->child(1));
    EXPECT_EQ(panel->child(1)->text(QAccessible::Name), QStringLiteral("Robots: Android"));

    QAccessibleActionInterface* action = play->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    action->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(sink.received.size(), 2u);
    EXPECT_EQ(sink.received[0].kind, MessageKind::LeftButtonDown);
    EXPECT_EQ(QPoint(sink.received[0].x, sink.received[0].y), QPoint(180, 230));
    EXPECT_EQ(sink.received[1].kind, MessageKind::LeftButtonUp);
}

TEST(ButtonChangesTest, OnlyWhatChangedIsAnnounced) {
    const std::vector<AccessibleButton> play = {{{0, 0, 1, 1}, "Play", "Play sound..."},
                                                {{0, 0, 1, 1}, "Record", "Record..."}};
    std::vector<AccessibleButton> stop = play;
    stop[0].name = "Stop";
    EXPECT_EQ(ButtonChanges(play, stop),
              (std::vector<ButtonChange>{{0, QAccessible::NameChanged}}));
    EXPECT_TRUE(ButtonChanges(stop, stop).empty());
    stop[1].description = "Stop recording...";
    EXPECT_EQ(ButtonChanges(play, stop),
              (std::vector<ButtonChange>{{0, QAccessible::NameChanged},
                                         {1, QAccessible::DescriptionChanged}}));
    EXPECT_EQ(ButtonChanges({}, play).size(), 4u);
}

TEST_F(DesktopWidgetTest, NewNamesAreWhatTheTreeShows) {
    widget.SetAccessibleButtons({{{120, 210, 241, 251}, "Play", "Play sound..."}});
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(&widget)->child(0);
    widget.SetAccessibleButtons({{{120, 210, 241, 251}, "Stop", "Play sound..."}});
    EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("Stop"));
}

// The help area is erased up to x = 300 only: every help line, shortcut included, must end
// before it in the window's font.
TEST(HelpLineWidthTest, EveryHelpLineFitsTheHelpArea) {
    const QFontMetrics metrics(QApplication::font());
    app::MainWindowState state;
    for (const AccessibleButton& button : app::AccessibleButtons(state)) {
        EXPECT_LE(20 + metrics.horizontalAdvance(QString::fromStdString(button.description)), 300)
            << button.description;
    }
}

}  // namespace
}  // namespace marvolin::platform::qt
