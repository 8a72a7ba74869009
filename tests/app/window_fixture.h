#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/main_window.h"
#include "platform/headless/headless_platform.h"
#include "screen/resource_bitmaps.h"
#include "support/test_files.h"

namespace marvolin::app {

// Points inside the hotspots.
inline constexpr int kOpenX = 130, kOpenY = 170;
inline constexpr int kSaveX = 270, kSaveY = 170;
inline constexpr int kRecordX = 410, kRecordY = 170;
inline constexpr int kPlayX = 130, kPlayY = 220;
inline constexpr int kUndoX = 270, kUndoY = 220;
inline constexpr int kOptionsX = 410, kOptionsY = 220;
inline constexpr int kExitX = 499, kExitY = 389;
inline constexpr int kCategoryX = 255, kCategoryY = 350;
inline constexpr int kEffect2X = 330, kEffect2Y = 315;
inline constexpr int kLogoX = 560, kLogoY = 450;

// The main window on the headless platform, started over a private data folder and settings
// file, painted once, with the welcome sound played to its end.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        testing::CopyProgramData(folder.File("data"));
        window = std::make_unique<MainWindow>(host.services,
                                              ProgramFiles{folder.File("data"), SettingsFile()});
        window->Handle({platform::MessageKind::Initialize});
        window->Handle({platform::MessageKind::Paint});
        FinishPlayback();
    }

    std::string SettingsFile() const { return folder.File("marvolin.ini"); }
    MainWindowState& state() { return window->state(); }

    void Send(platform::MessageKind kind, int x = 0, int y = 0) { window->Handle({kind, x, y}); }
    void Click(int x, int y) {
        Send(platform::MessageKind::LeftButtonDown, x, y);
        Send(platform::MessageKind::LeftButtonUp, x, y);
    }
    void FinishPlayback() {
        host.waveOutput.Finish();
        host.DeliverPending(*window);
    }

    // True when the window shows width x height pixels of `bitmap` at (x, y).
    bool Shows(int bitmap, int x, int y, int width, int height) {
        const auto surface = screen::LoadResourceBitmap(bitmap);
        if (!surface) {
            return false;
        }
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                if (state().screen.window.Pixel(x + column, y + row) !=
                    surface->Pixel(column, row)) {
                    return false;
                }
            }
        }
        return true;
    }

    testing::TemporaryFolder folder;
    platform::headless::HeadlessPlatform host;
    std::unique_ptr<MainWindow> window;
};

}  // namespace marvolin::app
