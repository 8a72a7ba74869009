#pragma once

#include <pulse/pulseaudio.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace marvolin::platform::qt {

// The program's one connection to the sound server (PulseAudio, or PipeWire's pulse server),
// on a libpulse threaded main loop. It is made when first needed and made again whenever it
// has broken, so a server that was missing at start-up or was restarted is found by the next
// call that needs it. Every wait on the server is bounded.
class PulseConnection {
  public:
    PulseConnection();
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // How long a connection attempt or a question to the server may take.
    static constexpr int kAnswerMilliseconds = 2000;

    // Holds the main loop's lock: the context and the streams are touched only under it.
    class Lock {
      public:
        explicit Lock(PulseConnection& connection);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        pa_threaded_mainloop* loop_;
    };

    // A ready context, connecting (again) first when needed; nullptr when the server cannot
    // be reached. Called with the lock held.
    pa_context* Context();

    // Waits, with the lock held, until `done` holds or `milliseconds` pass; answers done().
    // The callbacks that change what `done` looks at must call Signal.
    bool WaitFor(const std::function<bool()>& done, int milliseconds = kAnswerMilliseconds);
    void Signal();
    // Waits, with the lock held, until a stream just connected is ready or has failed; true
    // when ready. The stream's state callback must call Signal.
    bool WaitUntilReady(pa_stream* stream);

    struct Device {
        std::string name;         // the server's stable name
        std::string description;  // what the user sees
    };
    struct Devices {
        std::vector<Device> outputs;
        std::vector<Device> inputs;  // monitors of outputs left out
        std::string defaultOutput;   // names
        std::string defaultInput;
    };
    // The server's devices; nullopt when it cannot be reached. Called without the lock.
    std::optional<Devices> ListDevices();

  private:
    void Disconnect();

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
};

// The program's sample format: 16-bit little-endian mono at `sampleRate`.
inline pa_sample_spec MonoSamples(std::uint32_t sampleRate) {
    return {.format = PA_SAMPLE_S16LE, .rate = sampleRate, .channels = 1};
}

// Silences `stream`'s callbacks, disconnects and releases it, and clears the pointer; nothing
// when it is null. Called with the lock held.
void ReleaseStream(pa_stream*& stream);

}  // namespace marvolin::platform::qt
