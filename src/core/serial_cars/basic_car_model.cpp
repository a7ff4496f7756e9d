#include "core/serial_cars/basic_car_model.h"

#include "core/link/frames.h"

namespace Korvane {

CBasicCarModel::CBasicCarModel(QObject* parent) : CPanelModel(parent) {
    Initialise(BasicCarField::Distance, QStringLiteral("0cm"));
}

void CBasicCarModel::ApplyFrame(const QByteArray& frame) {
    if (const auto distance = DistanceFromFrame(frame))
        Set(BasicCarField::Distance, QString::fromLatin1(*distance));
}

} // namespace Korvane
