#include "core/classroom/classroom_model.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QStringList>

namespace Korvane {

CClassroomModel::CClassroomModel(QObject* parent)
    : QAbstractTableModel(parent), m_now([] { return QDateTime::currentMSecsSinceEpoch(); }) {
    m_flush.setSingleShot(true);
    m_flush.setInterval(200);
    connect(&m_flush, &QTimer::timeout, this, &CClassroomModel::Flush);
    m_ageTick.setInterval(1000);
    connect(&m_ageTick, &QTimer::timeout, this, [this] {
        if (!m_stations.empty())
            emit dataChanged(index(0, LastFrame), index(rowCount() - 1, LastFrame));
    });
    m_ageTick.start();
}

void CClassroomModel::OnMessage(const QString& topic, const QByteArray& payload, qint64 nowMs) {
    const QStringList parts = topic.split(QLatin1Char('/'));
    if (parts.size() != 3 || parts[1].isEmpty())
        return;
    const QJsonObject o = QJsonDocument::fromJson(payload).object();
    if (o.isEmpty())
        return;
    if (parts[2] == QLatin1String("status")) {
        Station& s = m_stations[size_t(RowOf(parts[1]))];
        const bool online = o.value(QStringLiteral("online")).toBool();
        if (s.online && !online)
            s.leftMs = nowMs;
        s.online = online;
        if (o.contains(QStringLiteral("product_name")))
            s.product = o.value(QStringLiteral("product_name")).toString();
        if (o.contains(QStringLiteral("link")))
            s.linkState = o.value(QStringLiteral("link"))
                              .toObject()
                              .value(QStringLiteral("state"))
                              .toString();
        Touch(m_rows.value(parts[1]));
    } else if (parts[2] == QLatin1String("telemetry")) {
        Station& s = m_stations[size_t(RowOf(parts[1]))];
        s.lastFrameMs = nowMs;
        if (o.contains(QStringLiteral("battery_v")))
            s.battery = o.value(QStringLiteral("battery_v")).toDouble();
        if (o.contains(QStringLiteral("distance_cm")))
            s.distance = o.value(QStringLiteral("distance_cm")).toDouble();
        Touch(m_rows.value(parts[1]));
    }
}

int CClassroomModel::RowOf(const QString& name) {
    if (const auto it = m_rows.constFind(name); it != m_rows.cend())
        return it.value();
    const int row = int(m_stations.size());
    beginInsertRows({}, row, row);
    m_stations.push_back(Station{name, {}, {}, true, 0, 0, -1, -1});
    m_rows.insert(name, row);
    endInsertRows();
    return row;
}

void CClassroomModel::Touch(int row) {
    m_dirty.insert(row);
    if (!m_flush.isActive())
        m_flush.start();
}

void CClassroomModel::Flush() {
    for (int row : std::as_const(m_dirty))
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    m_dirty.clear();
}

QString CClassroomModel::StationAt(int row) const {
    return row >= 0 && size_t(row) < m_stations.size() ? m_stations[size_t(row)].name : QString();
}

bool CClassroomModel::IsOnline(int row) const {
    return row >= 0 && size_t(row) < m_stations.size() && m_stations[size_t(row)].online;
}

int CClassroomModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_stations.size());
}

int CClassroomModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CClassroomModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_stations.size())
        return {};
    const Station& s = m_stations[size_t(index.row())];
    if (role == kOnlineRole)
        return s.online;
    const qint64 age = s.lastFrameMs > 0 ? std::max<qint64>(0, m_now() - s.lastFrameMs) : -1;
    if (role == kSortRole) {
        switch (index.column()) {
        case LastFrame:
            return age < 0 ? std::numeric_limits<qint64>::max() : age;
        case Battery:
            return s.battery;
        case Distance:
            return s.distance;
        default:
            return data(index, Qt::DisplayRole);
        }
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case Name:
        return s.name;
    case ProductColumn:
        return s.product;
    case LinkColumn:
        return s.online ? s.linkState
                        : tr("offline since %1")
                              .arg(QDateTime::fromMSecsSinceEpoch(s.leftMs).toString(
                                  QStringLiteral("HH:mm:ss")));
    case LastFrame:
        return age < 0 ? QStringLiteral("\u2014") : tr("%1 s").arg(age / 1000.0, 0, 'f', 1);
    case Battery:
        return s.battery < 0 ? QString() : tr("%1 V").arg(s.battery, 0, 'f', 2);
    case Distance:
        return s.distance < 0 ? QString() : tr("%1 cm").arg(s.distance);
    }
    return {};
}

QVariant CClassroomModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kHeaders[ColumnCount] = {
        QT_TR_NOOP("Station"),    QT_TR_NOOP("Product"), QT_TR_NOOP("Link"),
        QT_TR_NOOP("Last frame"), QT_TR_NOOP("Battery"), QT_TR_NOOP("Distance")};
    return section >= 0 && section < ColumnCount ? tr(kHeaders[section]) : QVariant();
}

} // namespace Korvane
