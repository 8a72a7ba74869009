#include "app/main_window.h"

#include "app/accessible_buttons.h"
#include "app/commands.h"
#include "app/desktop_files.h"
#include "app/dialog_commands.h"
#include "app/drawing.h"
#include "app/exit_command.h"
#include "app/record_command.h"
#include "app/startup.h"
#include "resources/string_table.h"
#include "screen/window_areas.h"

namespace marvolin::app {
namespace {

// The part of the waveform view that a drag takes the sound away from.
bool OnWaveform(int x, int y) {
    return x >= resources::kTraceLeft && x < resources::kTraceRight &&
           y >= resources::kTraceCentreY - 50 && y < resources::kTraceCentreY + 45;
}

}  // namespace

MainWindow::MainWindow(platform::Platform& platform, ProgramFiles files)
    : platform_(platform), files_(std::move(files)) {
    platform_.window.AttachPicture(state_.screen.window.View());
}

void MainWindow::Handle(const platform::Message& message) {
    using platform::MessageKind;
    switch (message.kind) {
        case MessageKind::Initialize:
            StartUp(state_, platform_, files_);
            break;
        case MessageKind::Paint: {
            // Everything is drawn into the surface that the paint then shows: nothing may be
            // presented from inside it.
            const screen::PaintingScope painting(state_.screen);
            screen::ScreenHost host = ScreenHostOf(platform_);
            screen::PaintWindow(state_.screen, host, state_.sound, state_.category);
            // The picture shows Play; while a sound plays (the welcome sound during the first
            // paint, say) the button must go on showing Stop.
            if (state_.playing()) {
                PlayButtonPainter(state_, platform_)(audio::kStopBitmap);
            }
            if (state_.recording()) {
                RecordButtonPainter(state_, platform_)(audio::kStopRecordingBitmap);
            }
            break;
        }
        case MessageKind::Close:
            // The window's close command ends the program at once, even while recording.
            platform_.window.Close();
            break;
        case MessageKind::MouseMove:
            OnMouseMove(message.x, message.y);
            break;
        case MessageKind::LeftButtonDown:
        case MessageKind::LeftButtonDoubleClick:
            OnLeftButtonDown(message.x, message.y);
            break;
        case MessageKind::LeftButtonUp:
            OnLeftButtonUp();
            break;
        case MessageKind::RightButtonDown:
        case MessageKind::RightButtonDoubleClick:
            OnRightButtonDown(message.x, message.y);
            break;
        case MessageKind::RightButtonUp:
            OnRightButtonUp();
            break;
        case MessageKind::PaletteChanged:
            platform_.window.Invalidate({0, 0, screen::kWindowWidth, screen::kWindowHeight});
            break;
        case MessageKind::PlaybackDone:
            audio::FinishPlayback(state_.playback, platform_, message.bufferId,
                                  PlayButtonPainter(state_, platform_));
            break;
        case MessageKind::RecordBufferReturned:
            RecordBufferReturned(state_, platform_, message.bufferId);
            break;
        case MessageKind::Timer:
            BlinkRecordingWord(state_, platform_);
            break;
        case MessageKind::KeyPress:
            if (const auto click = ShortcutFor(message.key, message.control)) {
                Click(*click);
            }
            break;
        case MessageKind::Wheel:
            if (const auto click = WheelShortcut(message.wheelSteps)) {
                Click(*click);
            }
            break;
        case MessageKind::FileDropped:
            OpenDroppedFile(state_, platform_, message.path);
            break;
    }
    PublishButtons();
}

// A key does what a click on its hotspot does, refusals included: the same press and release.
void MainWindow::Click(ShortcutClick click) {
    if (!state_.initialized) {
        return;
    }
    if (click.button == MouseButton::Left) {
        PressLeft(click.hotspot);
        OnLeftButtonUp();
    } else {
        PressRight(click.hotspot);
        OnRightButtonUp();
    }
}

void MainWindow::PublishButtons() {
    if (!state_.initialized) {
        return;
    }
    std::vector<platform::AccessibleButton> buttons = AccessibleButtons(state_);
    if (buttons != publishedButtons_) {
        publishedButtons_ = std::move(buttons);
        platform_.window.DescribeButtons(publishedButtons_);
    }
}

void MainWindow::PressOutsideHotspots(int x, int y) {
    if (OnWaveform(x, y) && !state_.recording() && state_.sound.sampleCount() > 0) {
        platform_.window.OfferDrag([this]() -> std::optional<std::string> {
            return dragOutFolder_.WriteSound(state_.sound, state_.currentPath);
        });
        return;
    }
    platform_.window.BeginMove();
}

void MainWindow::OnMouseMove(int x, int y) {
    if (!state_.settings.displayHelp) {
        return;
    }
    const std::uint16_t previous = state_.hoverHotspot;
    state_.hoverHotspot = HitTest(state_.hotspots, x, y);
    screen::ScreenHost host = ScreenHostOf(platform_);
    if (state_.hoverHotspot != previous && state_.helpShown) {
        screen::EraseHelpArea(state_.screen, host);
    }
    if (state_.hoverHotspot == NO_HOTSPOT) {
        state_.helpShown = false;
        return;
    }
    std::string text(resources::LoadString(resources::kFirstHelpLine + state_.hoverHotspot));
    text += ShortcutSuffix(state_.hoverHotspot);
    screen::DrawHelpLine(state_.screen, host, text.substr(0, 250));
    state_.helpShown = true;
}

void MainWindow::OnLeftButtonDown(int x, int y) {
    const std::uint16_t hit = HitTest(state_.hotspots, x, y);
    PressLeft(hit);
    if (hit == NO_HOTSPOT && state_.initialized) {
        PressOutsideHotspots(x, y);
    }
}

void MainWindow::PressLeft(std::uint16_t hit) {
    state_.pressedHotspot = hit;
    const std::uint16_t pressed = state_.pressedHotspot;
    if (pressed == NO_HOTSPOT) {
        return;
    }
    const Hotspot& hotspot = state_.hotspots[pressed];
    if (hotspot.pressedBitmap != 0) {
        const bool effectButton = pressed >= kFirstEffectHotspot && pressed <= kLastEffectHotspot;
        const bool busy = state_.playing() || state_.recording();
        std::uint16_t bitmap = hotspot.pressedBitmap;
        if (pressed == kPlayHotspot && state_.playing()) {
            bitmap = audio::kStopPressedBitmap;
        }
        if (!effectButton || !busy) {
            DrawHotspotBitmap(state_, platform_, pressed, bitmap);
        }
    }
    if (pressed == kCategoryHotspot) {
        DrawCategoryLabel(state_, platform_, true);
    }
}

void MainWindow::OnLeftButtonUp() {
    // The release acts on the hotspot pressed, wherever the pointer is now.
    const std::uint16_t pressed = state_.pressedHotspot;
    if (pressed == NO_HOTSPOT) {
        return;
    }
    if (pressed >= kFirstEffectHotspot && pressed <= kLastEffectHotspot) {
        if (state_.playing() || state_.recording()) {
            return;  // refused: nothing drawn, and the press is remembered
        }
        ApplyEffectCommand(state_, platform_, pressed);
    }
    const Hotspot& hotspot = state_.hotspots[pressed];
    if (hotspot.normalBitmap != 0) {
        DrawHotspotBitmap(state_, platform_, pressed, hotspot.normalBitmap);
    }
    if (pressed == kCategoryHotspot) {
        StepCategory(+1);
    }
    RunCommand(pressed);
    state_.pressedHotspot = NO_HOTSPOT;
}

void MainWindow::OnRightButtonDown(int x, int y) {
    PressRight(HitTest(state_.hotspots, x, y));
}

void MainWindow::PressRight(std::uint16_t hit) {
    state_.pressedHotspot = hit;
    if (state_.pressedHotspot == kCategoryHotspot) {
        DrawHotspotBitmap(state_, platform_, kCategoryHotspot,
                          state_.hotspots[kCategoryHotspot].pressedBitmap);
        DrawCategoryLabel(state_, platform_, true);
    }
}

void MainWindow::OnRightButtonUp() {
    if (state_.pressedHotspot == kCategoryHotspot) {
        DrawHotspotBitmap(state_, platform_, kCategoryHotspot,
                          state_.hotspots[kCategoryHotspot].normalBitmap);
        StepCategory(-1);
    }
}

void MainWindow::StepCategory(int direction) {
    state_.category =
        static_cast<std::uint16_t>((state_.category + kCategoryCount + direction) % kCategoryCount);
    DrawCategoryLabel(state_, platform_, false);
    screen::ScreenHost host = ScreenHostOf(platform_);
    screen::DrawEffectLabels(state_.screen, host, state_.category);
}

void MainWindow::RunCommand(std::uint16_t hotspot) {
    const bool busy = state_.playing() || state_.recording();
    switch (hotspot) {
        case kOpenHotspot:
            if (!busy) {
                OpenCommand(state_, platform_, files_.dataFolder);
            }
            break;
        case kSaveHotspot:
            if (!busy) {
                SaveCommand(state_, platform_, files_.dataFolder);
            }
            break;
        case kRecordHotspot:
            RecordCommand(state_, platform_);
            break;
        case kPlayHotspot:
            PlayCommand(state_, platform_);
            break;
        case kUndoHotspot:
            UndoCommand(state_, platform_);
            break;
        case kOptionsHotspot:
            OptionsCommand(state_, platform_, files_.settingsFile);
            break;
        case kExitHotspot:
            ExitCommand(state_, platform_);
            break;
        case kAboutHotspot:
            AboutCommand(state_, platform_);
            break;
        default:
            // The category and effect buttons have done their work on the release.
            break;
    }
}

}  // namespace marvolin::app
