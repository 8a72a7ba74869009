#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cstring>

namespace marvolin::platform::headless {

MessageAnswer ScriptedMessageBoxes::Show(std::string_view text, std::string_view caption,
                                         MessageIcon icon, MessageButtons buttons) {
    shown.push_back({std::string(text), std::string(caption), icon, buttons});
    if (answers.empty()) {
        return MessageAnswer::Ok;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void CountingCursor::PushWait() {
    ++waitDepth;
    ++waitsShown;
}

void CountingCursor::Restore() {
    if (waitDepth == 0) {
        ++unbalanced;
        return;
    }
    --waitDepth;
}

void RecordingWindow::Place(int x, int y, int width, int height) {
    placement = Rect{x, y, x + width, y + height};
}

void RecordingWindow::Invalidate(const Rect& area) {
    invalidated.push_back(area);
}

std::optional<OpenChoice> ScriptedFileDialogs::ChooseFileToOpen(
    const std::vector<FileFilter>& filters, const std::string& initialDirectory) {
    ++openCalls;
    lastFilters = filters;
    lastInitialDirectory = initialDirectory;
    if (openAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<FileChoice> ScriptedFileDialogs::ChooseFileToSave(
    const std::vector<FileFilter>& filters, const std::string& initialDirectory) {
    ++saveCalls;
    lastFilters = filters;
    lastInitialDirectory = initialDirectory;
    if (saveAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

int ManualTimers::Start(int id, int periodMilliseconds) {
    Stop(id);
    running.push_back({id, periodMilliseconds});
    return id;
}

void ManualTimers::Stop(int id) {
    std::erase_if(running, [id](const Running& timer) { return timer.id == id; });
}

DeviceResult FakeWaveOutput::Open(int number, std::uint32_t rate) {
    ++opens;
    if (!openAnswers.empty()) {
        const DeviceResult answer = openAnswers.front();
        openAnswers.pop_front();
        if (answer != DeviceResult::Ok) {
            return answer;
        }
    }
    open = true;
    deviceNumber = number;
    sampleRate = rate;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveOutput::Prepare(std::span<const std::int16_t> samples) {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    buffer = samples;
    prepared = true;
    ++bufferId;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveOutput::Write() {
    if (!open || !prepared) {
        return DeviceResult::InvalidHandle;
    }
    writing = true;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveOutput::Unprepare() {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    if (writing) {
        return DeviceResult::StillPlaying;
    }
    prepared = false;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveOutput::Reset() {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    if (writing) {
        writing = false;
        queue_.push_back({.kind = MessageKind::PlaybackDone, .bufferId = bufferId});
    }
    return DeviceResult::Ok;
}

DeviceResult FakeWaveOutput::Close() {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    open = false;
    prepared = false;
    writing = false;
    buffer = {};
    return DeviceResult::Ok;
}

void FakeWaveOutput::Finish() {
    if (writing) {
        writing = false;
        queue_.push_back({.kind = MessageKind::PlaybackDone, .bufferId = bufferId});
    }
}

void BlockTextRenderer::DrawText(PixelView target, int x, int y, std::string_view text,
                                 std::uint32_t color, std::uint32_t background, bool opaque) {
    drawn.push_back({x, y, std::string(text), color, background, opaque});
    auto put = [&](int px, int py, std::uint32_t value) {
        if (px >= 0 && py >= 0 && px < target.width && py < target.height) {
            target.pixels[static_cast<std::size_t>(py) * target.width + px] = value;
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int left = x + static_cast<int>(i) * kCellWidth;
        for (int row = 0; row < kCellHeight; ++row) {
            for (int column = 0; column < kCellWidth; ++column) {
                const bool ink =
                    text[i] != ' ' && column >= 1 && column < 5 && row >= 2 && row < 11;
                if (ink) {
                    put(left + column, y + row, color);
                } else if (opaque) {
                    put(left + column, y + row, background);
                }
            }
        }
    }
}

DeviceResult FakeWaveInput::Open(int number, std::uint32_t rate) {
    ++opens;
    if (openAnswer != DeviceResult::Ok) {
        return openAnswer;
    }
    if (open) {
        return DeviceResult::Allocated;
    }
    if (number < 0 || number >= deviceCount) {
        return DeviceResult::BadDevice;
    }
    open = true;
    deviceNumber = number;
    sampleRate = rate;
    recordedBytes = 0;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveInput::Prepare(std::span<std::int16_t> target) {
    if (prepareAnswer != DeviceResult::Ok) {
        return prepareAnswer;
    }
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    buffer = target;
    prepared = true;
    recordedBytes = 0;
    interrupted = false;
    ++bufferId;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveInput::AddBuffer() {
    if (addBufferAnswer != DeviceResult::Ok) {
        return addBufferAnswer;
    }
    if (!prepared) {
        return DeviceResult::Error;
    }
    queued = true;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveInput::Start() {
    if (startAnswer != DeviceResult::Ok) {
        return startAnswer;
    }
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    started = true;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveInput::Stop() {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    if (started && queued) {
        // A stopped device hands back its partly filled buffer.
        queued = false;
        queue_.push_back({.kind = MessageKind::RecordBufferReturned, .bufferId = bufferId});
    }
    started = false;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveInput::Reset() {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    if (queued) {
        queued = false;
        queue_.push_back({.kind = MessageKind::RecordBufferReturned, .bufferId = bufferId});
    }
    started = false;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveInput::Unprepare() {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    if (queued) {
        return DeviceResult::StillPlaying;
    }
    prepared = false;
    return DeviceResult::Ok;
}

DeviceResult FakeWaveInput::Close() {
    if (!open) {
        return DeviceResult::InvalidHandle;
    }
    open = false;
    prepared = false;
    queued = false;
    started = false;
    buffer = {};
    return DeviceResult::Ok;
}

void FakeWaveInput::Feed(std::span<const std::int16_t> samples) {
    if (!started || !queued) {
        return;
    }
    const std::size_t written = recordedBytes / 2;
    const std::size_t room = buffer.size() - written;
    const std::size_t taken = std::min(room, samples.size());
    std::copy_n(samples.begin(), taken, buffer.begin() + static_cast<std::ptrdiff_t>(written));
    recordedBytes += taken * 2;
    if (recordedBytes / 2 == buffer.size()) {
        queued = false;
        queue_.push_back({.kind = MessageKind::RecordBufferReturned, .bufferId = bufferId});
    }
}

void FakeWaveInput::Interrupt() {
    if (!started || !queued) {
        return;
    }
    interrupted = true;
    queued = false;
    queue_.push_back({.kind = MessageKind::RecordBufferReturned, .bufferId = bufferId});
}

void ScriptedDialogs::RunSettings(SettingsDialogHandler& handler) {
    settingsShown.push_back(handler.Open());
    std::vector<SettingsAction> script;
    if (!settingsScripts.empty()) {
        script = std::move(settingsScripts.front());
        settingsScripts.pop_front();
    }
    for (const SettingsAction& action : script) {
        switch (action.kind) {
            case SettingsAction::Select:
                handler.SelectionChanged(action.control, action.position);
                break;
            case SettingsAction::Text:
                handler.TextChanged(action.control, action.text);
                break;
            case SettingsAction::Click:
                handler.Clicked(action.control);
                if (action.control == kSettingsOk || action.control == kSettingsCancel) {
                    return;
                }
                break;
        }
    }
    handler.Clicked(kSettingsCancel);
}

void ScriptedDialogs::RunAbout(const AboutBoxContents& contents) {
    aboutShown.push_back(contents);
}

HeadlessPlatform::HeadlessPlatform()
    : waveOutput(queue), waveInput(queue), services{messageBoxes, cursor,       window,
                                                    fileDialogs,  timers,       waveOutput,
                                                    waveInput,    audioDevices, textRenderer,
                                                    dialogs} {}

void HeadlessPlatform::DeliverPending(MessageSink& sink) {
    while (!queue.empty()) {
        const Message message = queue.front();
        queue.pop_front();
        sink.Handle(message);
    }
}

}  // namespace marvolin::platform::headless
