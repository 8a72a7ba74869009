#pragma once

#include <ostream>

#include "cli/fx_arguments.h"

namespace marvolin::cli {

// Prints every effect as "Category/Name", one per line, in button order; with `json` one JSON
// array of {"category", "name", "routines"} objects instead.
void ListEffects(std::ostream& out, bool json);

// Works out every output, then processes the files (several side by side with more than one
// file) and prints problems on standard error. Returns the exit status.
int RunFx(const FxArguments& arguments, bool onTerminal);

}  // namespace marvolin::cli
