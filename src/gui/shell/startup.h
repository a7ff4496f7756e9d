#pragma once

#include "core/startup/start_options.h"

namespace Korvane {

// The product cannot be asked for: no display (offscreen or minimal platform) and no
// --product. Checked once the application exists.
bool CannotAskForProduct(const StartOptions& options);

// Runs the station: selection dialog (unless given), main window, event loop. Returns the
// process exit code.
int RunStation(const StartOptions& options);

} // namespace Korvane
