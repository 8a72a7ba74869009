#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/messages.h"
#include "platform/platform.h"

namespace marvolin::platform::headless {

// Message boxes that record what they were asked to show and answer from a script
// (Ok when the script is empty).
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer Show(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override;

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
};

class CountingCursor : public Cursor {
  public:
    void PushWait() override;
    void Restore() override;

    int waitDepth = 0;   // wait cursors currently shown
    int waitsShown = 0;  // wait cursors shown over the whole run
    int unbalanced = 0;  // Restore calls with nothing to restore
};

class RecordingWindow : public Window {
  public:
    Rect DesktopRect() const override { return desktop; }
    void Place(int x, int y, int width, int height) override;
    void AttachPicture(PixelView attached) override { picture = attached; }
    void Invalidate(const Rect& area) override;
    void PresentNow(const Rect& area) override { presented.push_back(area); }
    void Close() override { closed = true; }
    void SetTitle(const std::string& shown) override { title = shown; }
    void BeginMove() override { ++movesBegun; }
    void OfferDrag(DragFileMaker makeFile) override { dragOffer = std::move(makeFile); }
    void DescribeButtons(const std::vector<AccessibleButton>& described) override {
        buttons = described;
        ++descriptions;
    }
    void DescribeTrace(const std::vector<Point>& points) override { trace = points; }
    void DescribeMovingBitmap(std::uint16_t id, Point at) override {
        movingBitmaps.emplace_back(id, at);
    }

    Rect desktop{0, 0, 1920, 1080};
    std::string title;
    int movesBegun = 0;
    DragFileMaker dragOffer;  // the last offer made
    std::vector<AccessibleButton> buttons;
    int descriptions = 0;      // how often the buttons were described
    std::vector<Point> trace;  // the last trace described
    std::vector<std::pair<std::uint16_t, Point>> movingBitmaps;  // every one described
    std::optional<Rect> placement;  // left, top, right, bottom after Place
    PixelView picture;
    std::vector<Rect> invalidated;
    std::vector<Rect> presented;
    bool closed = false;
};

class ScriptedFileDialogs : public FileDialogs {
  public:
    std::optional<OpenChoice> ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                               const std::string& initialDirectory) override;
    std::optional<FileChoice> ChooseFileToSave(const std::vector<FileFilter>& filters,
                                               const std::string& initialDirectory) override;

    std::deque<std::optional<OpenChoice>> openAnswers;  // empty script: cancelled
    std::deque<std::optional<FileChoice>> saveAnswers;
    std::vector<FileFilter> lastFilters;
    std::string lastInitialDirectory;
    int openCalls = 0;
    int saveCalls = 0;
};

class ManualTimers : public Timers {
  public:
    int Start(int id, int periodMilliseconds) override;
    void Stop(int id) override;

    struct Running {
        int id;
        int periodMilliseconds;
    };
    std::vector<Running> running;
};

// Output device that plays nothing: tests finish the buffer with Finish().
class FakeWaveOutput : public WaveOutput {
  public:
    explicit FakeWaveOutput(std::deque<Message>& queue) : queue_(queue) {}

    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<const std::int16_t> samples) override;
    DeviceResult Write() override;
    DeviceResult Unprepare() override;
    DeviceResult Reset() override;
    DeviceResult Close() override;
    std::uint32_t BufferId() const override { return bufferId; }

    // The device reaches the end of its buffer and posts PlaybackDone.
    void Finish();

    bool open = false;
    bool prepared = false;
    bool writing = false;
    int deviceNumber = -1;
    std::uint32_t sampleRate = 0;
    std::span<const std::int16_t> buffer;
    std::uint32_t bufferId = 0;
    int opens = 0;
    std::deque<DeviceResult> openAnswers;  // scripted answers to Open, Ok when empty

  private:
    std::deque<Message>& queue_;
};

// Input device fed by tests through Feed(). Every answer can be scripted; numbers from
// deviceCount on are no device.
class FakeWaveInput : public WaveInput {
  public:
    explicit FakeWaveInput(std::deque<Message>& queue) : queue_(queue) {}

    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<std::int16_t> buffer) override;
    DeviceResult AddBuffer() override;
    DeviceResult Start() override;
    DeviceResult Stop() override;
    DeviceResult Reset() override;
    DeviceResult Unprepare() override;
    DeviceResult Close() override;
    std::size_t RecordedBytes() const override { return recordedBytes; }
    std::uint32_t BufferId() const override { return bufferId; }
    bool Interrupted() const override { return interrupted; }

    // Delivers samples into the queued buffer; a full buffer is returned with a message.
    void Feed(std::span<const std::int16_t> samples);
    // The sound system ends the recording: the queued buffer comes back, Interrupted.
    void Interrupt();

    bool open = false;
    bool prepared = false;
    bool queued = false;
    bool started = false;
    int deviceNumber = -1;
    std::uint32_t sampleRate = 0;
    std::span<std::int16_t> buffer;
    std::size_t recordedBytes = 0;
    std::uint32_t bufferId = 0;
    bool interrupted = false;
    int deviceCount = 1;
    int opens = 0;
    DeviceResult openAnswer = DeviceResult::Ok;
    DeviceResult prepareAnswer = DeviceResult::Ok;
    DeviceResult addBufferAnswer = DeviceResult::Ok;
    DeviceResult startAnswer = DeviceResult::Ok;

  private:
    std::deque<Message>& queue_;
};

// Draws every character as a 6 x 13 cell: the background (when opaque) with a 4 x 9 block
// of the text colour in it, enough for tests to see where text went. Records every call.
class BlockTextRenderer : public TextRenderer {
  public:
    static constexpr int kCellWidth = 6;
    static constexpr int kCellHeight = 13;

    void DrawText(PixelView target, int x, int y, std::string_view text, std::uint32_t color,
                  std::uint32_t background, bool opaque) override;

    struct Drawn {
        int x;
        int y;
        std::string text;
        std::uint32_t color;
        std::uint32_t background;
        bool opaque;
    };
    std::vector<Drawn> drawn;
};

class FixedAudioDeviceList : public AudioDeviceList {
  public:
    std::vector<std::string> InputDeviceNames() const override { return inputs; }
    std::vector<std::string> OutputDeviceNames() const override { return outputs; }
    std::vector<std::string> InputDeviceIds() const override { return inputIds; }
    std::vector<std::string> OutputDeviceIds() const override { return outputIds; }

    std::vector<std::string> inputs{"Test input"};
    std::vector<std::string> outputs{"Test output"};
    std::vector<std::string> inputIds;  // none unless a test gives them
    std::vector<std::string> outputIds;
};

// Modal dialogs that run from a script. Each Settings run asks the handler for its
// contents, records them and plays the next script (a list of user actions); a script that
// does not end with OK or Cancel, or no script at all, ends with Cancel.
class ScriptedDialogs : public ModalDialogs {
  public:
    struct SettingsAction {
        enum Kind { Select, Text, Click } kind;
        int control;
        int position = 0;
        std::string text;
    };
    static SettingsAction Select(int control, int position) {
        return {SettingsAction::Select, control, position, {}};
    }
    static SettingsAction Type(int control, std::string text) {
        return {SettingsAction::Text, control, 0, std::move(text)};
    }
    static SettingsAction Click(int control) { return {SettingsAction::Click, control, 0, {}}; }

    void RunSettings(SettingsDialogHandler& handler) override;
    void RunAbout(const AboutBoxContents& contents) override;

    std::deque<std::vector<SettingsAction>> settingsScripts;
    std::vector<SettingsDialogContents> settingsShown;  // what each run showed as it opened
    std::vector<AboutBoxContents> aboutShown;
};

// A complete headless platform. Device notifications wait in `queue` until a test delivers
// them.
class HeadlessPlatform {
  public:
    HeadlessPlatform();

    // Hands every waiting message to the sink, including those posted while delivering.
    void DeliverPending(MessageSink& sink);

    std::deque<Message> queue;
    ScriptedMessageBoxes messageBoxes;
    CountingCursor cursor;
    RecordingWindow window;
    ScriptedFileDialogs fileDialogs;
    ManualTimers timers;
    FakeWaveOutput waveOutput;
    FakeWaveInput waveInput;
    FixedAudioDeviceList audioDevices;
    BlockTextRenderer textRenderer;
    ScriptedDialogs dialogs;
    Platform services;
};

}  // namespace marvolin::platform::headless
