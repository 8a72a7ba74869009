#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace marvolin::platform {

// Answers of the wave devices. The program reacts to a few of them by name.
enum class DeviceResult {
    Ok,
    Allocated,      // the device is held by another program
    BadDevice,      // no device with that number
    BadFormat,      // the device refuses 16-bit mono PCM at that rate
    InvalidHandle,  // the device is not open
    NoMemory,
    StillPlaying,  // the buffer is still in use
    Error
};

// Plays one buffer of 16-bit mono samples. The samples are not copied: they must stay
// unchanged until the buffer is unprepared. The end of the buffer is reported to the
// message handler as a PlaybackDone message through the event queue; Reset also returns
// the buffer, with a (late) PlaybackDone.
class WaveOutput {
  public:
    virtual ~WaveOutput() = default;
    virtual DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) = 0;
    virtual DeviceResult Prepare(std::span<const std::int16_t> samples) = 0;
    virtual DeviceResult Write() = 0;
    virtual DeviceResult Unprepare() = 0;
    virtual DeviceResult Reset() = 0;
    virtual DeviceResult Close() = 0;
    // Identifies the buffer prepared last; its PlaybackDone carries the same bufferId, so a
    // late notification about an earlier buffer can be told apart.
    virtual std::uint32_t BufferId() const = 0;
};

// Records 16-bit mono samples into one caller-owned buffer. A full buffer, or the buffer
// handed back after Stop and Reset, is reported as a RecordBufferReturned message through
// the event queue, once per buffer. The samples beyond RecordedBytes are left as they were.
class WaveInput {
  public:
    virtual ~WaveInput() = default;
    virtual DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) = 0;
    virtual DeviceResult Prepare(std::span<std::int16_t> buffer) = 0;
    virtual DeviceResult AddBuffer() = 0;
    virtual DeviceResult Start() = 0;
    virtual DeviceResult Stop() = 0;
    virtual DeviceResult Reset() = 0;
    virtual DeviceResult Unprepare() = 0;
    virtual DeviceResult Close() = 0;
    // Bytes written into the buffer so far.
    virtual std::size_t RecordedBytes() const = 0;
    // Identifies the buffer prepared last; its RecordBufferReturned carries the same
    // bufferId, so a late notification about an earlier buffer can be told apart.
    virtual std::uint32_t BufferId() const = 0;
    // Whether the sound system ended the recording of the buffer prepared last (the server
    // went away, or killed the stream) before it was stopped or full.
    virtual bool Interrupted() const { return false; }
};

// The devices the user can choose between, in device-number order, as the user sees them.
class AudioDeviceList {
  public:
    virtual ~AudioDeviceList() = default;
    virtual std::vector<std::string> InputDeviceNames() const = 0;
    virtual std::vector<std::string> OutputDeviceNames() const = 0;
    // The sound system's stable names of the same devices, in the same order ("" for one
    // that has none, such as the system's default); empty when it has no such names.
    virtual std::vector<std::string> InputDeviceIds() const { return {}; }
    virtual std::vector<std::string> OutputDeviceIds() const { return {}; }
};

}  // namespace marvolin::platform
