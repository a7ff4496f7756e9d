#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

namespace Korvane {

// Every station on a broker, as its retained status and its telemetry tell: one row per
// station, kept when it goes offline (shown greyed, with the time it left). Messages change
// the stations at once; the view is told at most five times a second, and the ages ("time
// since its last frame") once a second, so that thirty stations at fifty frames a second
// cost the window little.
class CClassroomModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name, ProductColumn, LinkColumn, LastFrame, Battery, Distance, ColumnCount };
    // Sort by this role for the numeric columns (the display shows units).
    static constexpr int kSortRole = Qt::UserRole + 1;
    // Whether the row's station is online (a view greys the others).
    static constexpr int kOnlineRole = Qt::UserRole + 2;

    explicit CClassroomModel(QObject* parent = nullptr);

    // The level the stations are listed under ("korvane" unless set; empty: the top level).
    void SetRoot(const QString& root) { m_root = root; }
    const QString& Root() const { return m_root; }
    // A message of "<root>/<station>/status", ".../telemetry" or ".../rx" (a frame the
    // station received: only its time counts); others are ignored. nowMs is the wall clock
    // when it came.
    void OnMessage(const QString& topic, const QByteArray& payload, qint64 nowMs);
    // The station of a row, for its frames.
    QString StationAt(int row) const;
    bool IsOnline(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The clock the ages are counted from (tests set it).
    void SetClock(std::function<qint64()> now) { m_now = std::move(now); }

  signals:
    // A station's status changed what its row says in words (product, link, offline): a
    // view may fit its columns again. Told with the rows, at most five times a second.
    void statusShown();

  private:
    struct Station {
        QString name;
        QString product;
        QString linkState;
        bool online = true;
        qint64 leftMs = 0;
        qint64 lastFrameMs = 0; // a frame received or a reading; 0: none yet
        double battery = -1;    // volts; -1: unknown
        double distance = -1;   // cm; -1: unknown
    };
    int RowOf(const QString& name); // adds the station when new
    void Touch(int row);
    void Flush();

    // The station a topic of the root names, with what the topic carries; empty if none.
    std::pair<QString, QString> StationTopic(const QString& topic) const;

    QString m_root = QStringLiteral("korvane");
    std::vector<Station> m_stations;
    QHash<QString, int> m_rows;
    QSet<int> m_dirty;
    bool m_statusDirty = false; // a status came since the last flush
    QTimer m_flush;
    QTimer m_ageTick;
    std::function<qint64()> m_now;
};

} // namespace Korvane
