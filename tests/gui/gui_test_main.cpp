#include <gtest/gtest.h>

#include <QApplication>

// The widget tests need a QApplication for their whole run; they draw off screen unless told
// otherwise, so they run (and list themselves) without a display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // Each test closes its own windows; that must not end anything.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
