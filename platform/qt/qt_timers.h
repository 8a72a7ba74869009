#pragma once

#include <map>
#include <memory>

#include "platform/timers.h"

class QTimer;

namespace marvolin::platform::qt {

class MainWidget;

// One QTimer per identifier; each tick reaches the handler through the main widget as a
// Timer message carrying the identifier.
class QtTimers : public Timers {
  public:
    explicit QtTimers(MainWidget& widget);
    ~QtTimers() override;
    QtTimers(const QtTimers&) = delete;
    QtTimers& operator=(const QtTimers&) = delete;

    // Identifiers are positive: 0 is the failure answer, so Start(0, ...) makes no timer.
    int Start(int id, int periodMilliseconds) override;
    void Stop(int id) override;

    // Shortest period; shorter requests get this one.
    static constexpr int kMinimumPeriodMilliseconds = 10;

  private:
    MainWidget& widget_;
    // Kept until destruction: a timer may be stopped from inside its own tick.
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace marvolin::platform::qt
