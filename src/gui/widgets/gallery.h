#pragma once

class QWidget;

namespace Korvane {

// A window that shows every display widget in each of its states (for a look at them all).
QWidget* CreateWidgetGallery();

} // namespace Korvane
