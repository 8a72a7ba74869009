#pragma once

#include <pulse/pulseaudio.h>

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

}  // namespace marvolin::platform::qt
