#include "platform/qt/qt_timers.h"

#include <QTimer>
#include <algorithm>

#include "platform/qt/main_widget.h"

namespace marvolin::platform::qt {

QtTimers::QtTimers(MainWidget& widget) : widget_(widget) {}

QtTimers::~QtTimers() = default;

int QtTimers::Start(int id, int periodMilliseconds) {
    if (id <= 0) {
        return 0;
    }
    std::unique_ptr<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] {
            widget_.Deliver({MessageKind::Timer, 0, 0, id});
        });
    }
    timer->start(std::max(periodMilliseconds, kMinimumPeriodMilliseconds));
    return id;
}

void QtTimers::Stop(int id) {
    const auto found = timers_.find(id);
    if (found != timers_.end()) {
        found->second->stop();
    }
}

}  // namespace marvolin::platform::qt
