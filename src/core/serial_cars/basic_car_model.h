#pragma once

#include "core/panels/panel_model.h"

#include <optional>

namespace Korvane {

namespace BasicCarField {
enum : int {
    Distance, // the ultrasonic distance as the car sends it ("0cm" before the first frame)
};
} // namespace BasicCarField

// A basic robot car panel's state (see CPanelModel): what the car's frames report.
class CBasicCarModel : public CPanelModel {
    Q_OBJECT
  public:
    explicit CBasicCarModel(QObject* parent = nullptr);
    // One frame routed to the panel: its distance field, when it has one (returned too).
    std::optional<QByteArray> ApplyFrame(const QByteArray& frame);
};

} // namespace Korvane
