#pragma once

namespace Korvane {

// Registers the 8051 boards' and the Arduino kits' descriptors.
void RegisterBoardFamilies();

} // namespace Korvane
