#include "core/mqtt/telemetry_json.h"

#include <QJsonDocument>

namespace Korvane {

QByteArray TelemetryJson(const FrameRecord& record) {
    QJsonObject o = record.fields;
    o.insert(QStringLiteral("time_ms"), record.wallMs);
    o.insert(QStringLiteral("product"), record.product);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace Korvane
