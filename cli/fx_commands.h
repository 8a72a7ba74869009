#pragma once

#include <ostream>

#include "cli/fx_arguments.h"

namespace marvolin::cli {

// Prints every effect as "Category/Name", one per line, in button order.
void ListEffects(std::ostream& out);

// Reads the input, applies the effects in order as clicks on their buttons would, and writes
// the output only when all of that succeeded. Problems are printed on standard error.
// Returns the exit status.
int ApplyEffectsToFile(const FxArguments& arguments, bool showProgressBar);

}  // namespace marvolin::cli
