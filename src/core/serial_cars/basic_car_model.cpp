#include "core/serial_cars/basic_car_model.h"

#include "core/link/frames.h"

namespace Korvane {

CBasicCarModel::CBasicCarModel(QObject* parent) : CPanelModel(parent) {
    Initialise(BasicCarField::Distance, QStringLiteral("0cm"));
}

std::optional<QByteArray> CBasicCarModel::ApplyFrame(const QByteArray& frame) {
    const auto distance = DistanceFromFrame(frame);
    if (distance)
        Set(BasicCarField::Distance, QString::fromLatin1(*distance));
    return distance;
}

} // namespace Korvane
