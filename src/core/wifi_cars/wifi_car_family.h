#pragma once

namespace Korvane {

// Registers the 4WD cars' and the tricycle cars' descriptors.
void RegisterWifiCarFamilies();

} // namespace Korvane
