#pragma once

#include "platform/modal_dialogs.h"

namespace marvolin::app {

// The About box: our logo and six lines on the program, its licence and where to report
// problems.
platform::AboutBoxContents AboutBox();

}  // namespace marvolin::app
