#pragma once

#include "panel_base.h"

namespace Korvane {

// Stands in for a product whose panel is not built yet; says so plainly.
class CPlaceholderPanel : public CPanelBase {
    Q_OBJECT
  public:
    CPlaceholderPanel(int dialogId, CPanelHost* host, QWidget* parent);
};

} // namespace Korvane
