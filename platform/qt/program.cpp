#include "platform/qt/program.h"

#include <QCoreApplication>
#include <utility>

namespace marvolin::platform::qt {

Program::Program(app::ProgramFiles files)
    : platform_(widget_), window_(platform_.services(), std::move(files)) {
    widget_.SetSink(&window_);
}

Program::~Program() {
    // The handler goes first: nothing may reach it while the rest is taken down.
    widget_.SetSink(nullptr);
}

bool Program::Start() {
    widget_.Deliver({MessageKind::Initialize});
    if (widget_.closedByProgram()) {
        return false;
    }
    widget_.show();
    return true;
}

int Program::Run() {
    if (widget_.closedByProgram()) {
        return 0;
    }
    QObject::connect(&widget_, &MainWidget::ClosedByProgram, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    return QCoreApplication::exec();
}

}  // namespace marvolin::platform::qt
