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

std::pair<QString, QString> CClassroomModel::StationTopic(const QString& topic) const {
    QStringView rest(topic);
    if (!m_root.isEmpty()) {
        if (!rest.startsWith(m_root) || rest.size() <= m_root.size() ||
            rest[m_root.size()] != QLatin1Char('/'))
            return {};
        rest = rest.mid(m_root.size() + 1);
    }
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash <= 0 || rest.indexOf(QLatin1Char('/'), slash + 1) >= 0)
        return {};
    return {rest.left(slash).toString(), rest.mid(slash + 1).toString()};
}

void CClassroomModel::OnMessage(const QString& topic, const QByteArray& payload, qint64 nowMs) {
    const auto [name, kind] = StationTopic(topic);
    if (name.isEmpty())
        return;
    if (kind == QLatin1String("rx")) {
        // Only the time counts: a frame that carries no reading still says the link lives.
        const int row = RowOf(name);
        m_stations[size_t(row)].lastFrameMs = nowMs;
        Touch(row);
        return;
    }
    if (kind != QLatin1String("status") && kind != QLatin1String("telemetry"))
        return;
    const QJsonObject o = QJsonDocument::fromJson(payload).object();
    if (o.isEmpty())
        return;
    const int row = RowOf(name);
    Station& s = m_stations[size_t(row)];
    if (kind == QLatin1String("status")) {
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
        m_statusDirty = true;
    } else {
        s.lastFrameMs = nowMs;
        if (o.contains(QStringLiteral("battery_v")))
            s.battery = o.value(QStringLiteral("battery_v")).toDouble();
        if (o.contains(QStringLiteral("distance_cm")))
            s.distance = o.value(QStringLiteral("distance_cm")).toDouble();
    }
    Touch(row);
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
    if (std::exchange(m_statusDirty, false))
        emit statusShown();
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
    if (role == Qt::TextAlignmentRole)
        return index.column() == LastFrame || index.column() == Battery ||
                       index.column() == Distance
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
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
