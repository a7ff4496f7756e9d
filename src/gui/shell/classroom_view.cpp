#include "gui/shell/classroom_view.h"

#include "core/settings/station_settings.h"
#include "ui_classroom_view.h"

#include <QBrush>
#include <QDateTime>
#include <QEvent>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QSortFilterProxyModel>

namespace Korvane {

namespace {

// Sorts and filters the stations; a station that went offline is shown greyed.
class CStationProxy : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::ForegroundRole &&
            !QSortFilterProxyModel::data(index, CClassroomModel::kOnlineRole).toBool())
            return QBrush(Qt::gray);
        return QSortFilterProxyModel::data(index, role);
    }
};

} // namespace

std::optional<MqttOptions> RememberedClassroomBroker(const CStationSettings& settings) {
    const CStationSettings::MqttChoice saved = settings.Mqtt();
    const auto broker = ParseBrokerUrl(saved.url);
    if (!broker)
        return std::nullopt;
    MqttOptions o;
    o.broker = *broker;
    o.user = saved.user;
    o.caFile = saved.caFile;
    o.password = qEnvironmentVariable("KORVANE_MQTT_PASSWORD");
    o.stationName = QStringLiteral("classroom");
    o.prefix = saved.prefix.isEmpty() ? DefaultTopicPrefix(o.stationName) : saved.prefix;
    return o;
}

CClassroomView::CClassroomView(const MqttOptions& broker, const QString& root, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ui(new Ui::CClassroomView), m_root(root) {
    m_ui->setupUi(this);
    m_proxy = new CStationProxy(this);
    m_proxy->setSourceModel(&m_model);
    m_proxy->setSortRole(CClassroomModel::kSortRole);
    m_proxy->setFilterKeyColumn(-1); // any column
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_ui->stationTable->setModel(m_proxy);
    m_ui->stationTable->setSortingEnabled(true);
    m_ui->stationTable->sortByColumn(CClassroomModel::Name, Qt::AscendingOrder);
    // One line a station; columns as wide as what they show (names, "offline since ..."),
    // fitted when a station or its status comes, not at every reading: the user may still
    // drag them.
    m_ui->stationTable->setWordWrap(false);
    m_ui->stationTable->horizontalHeader()->setStretchLastSection(true);
    m_fitColumns.setSingleShot(true);
    m_fitColumns.setInterval(0);
    connect(&m_fitColumns, &QTimer::timeout, this, [this] {
        for (int column = 0; column < CClassroomModel::ColumnCount - 1; ++column)
            m_ui->stationTable->resizeColumnToContents(column); // the last one stretches
    });
    connect(&m_model, &QAbstractItemModel::rowsInserted, &m_fitColumns,
            qOverload<>(&QTimer::start));
    connect(&m_model, &CClassroomModel::statusShown, &m_fitColumns, qOverload<>(&QTimer::start));
    m_ui->stationTable->verticalHeader()->hide();
    connect(m_ui->filterEdit, &QLineEdit::textChanged, m_proxy,
            &QSortFilterProxyModel::setFilterFixedString);
    connect(
        m_ui->stationTable, &QAbstractItemView::doubleClicked, this,
        [this](const QModelIndex& index) { OpenStationFrames(m_proxy->mapToSource(index).row()); });
    connect(&m_bridge, &CMqttBridge::messageArrived, this, &CClassroomView::OnMessage);
    connect(&m_bridge, &CMqttBridge::stateChanged, this, &CClassroomView::ShowBroker);
    m_model.SetRoot(m_root);
    // A watcher, not a station: it subscribes and leaves no status of its own.
    MqttOptions o = broker;
    o.allowRemote = false;
    o.announce = false;
    o.prefix = Topic(QStringLiteral("classroom"));
    m_bridge.SetSubscriptions({Topic(QStringLiteral("+/status")),
                               Topic(QStringLiteral("+/telemetry")),
                               Topic(QStringLiteral("+/rx"))});
    m_bridge.Start(o);
    ShowBroker();
}

QString CClassroomView::Topic(const QString& below) const {
    return m_root.isEmpty() ? below : m_root + QLatin1Char('/') + below;
}

CClassroomView::~CClassroomView() {
    m_bridge.Stop();
}

void CClassroomView::OnMessage(const QString& topic, const QByteArray& payload) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool received = topic.endsWith(QLatin1String("/rx"));
    if (received || topic.endsWith(QLatin1String("/tx"))) {
        const QString station = topic.section(QLatin1Char('/'), -2, -2);
        if (QPlainTextEdit* view = m_frames.value(station)) {
            const QJsonObject o = QJsonDocument::fromJson(payload).object();
            view->appendPlainText(QStringLiteral("%1  %2  %3")
                                      .arg(QDateTime::fromMSecsSinceEpoch(
                                               o.value(QStringLiteral("time_ms")).toInteger())
                                               .toString(QStringLiteral("HH:mm:ss.zzz")),
                                           received ? QStringLiteral("RX") : QStringLiteral("TX"),
                                           o.value(QStringLiteral("frame")).toString()));
        }
        if (!received)
            return;
    }
    m_model.OnMessage(topic, payload, now);
}

QPlainTextEdit* CClassroomView::OpenStationFrames(int row) {
    const QString station = m_model.StationAt(row);
    if (station.isEmpty())
        return nullptr;
    if (QPlainTextEdit* open = m_frames.value(station)) {
        open->raise();
        return open;
    }
    auto* view = new QPlainTextEdit(this);
    view->setWindowFlag(Qt::Window);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setReadOnly(true);
    view->setMaximumBlockCount(10000);
    view->setWindowTitle(tr("Frames of %1").arg(station));
    view->setAccessibleName(tr("Frames of %1").arg(station));
    view->resize(640, 400);
    m_frames.insert(station, view);
    // Every station's rx is taken already (for the time of its last frame); tx on demand.
    m_bridge.AddSubscription(Topic(station + QStringLiteral("/tx")));
    view->show();
    return view;
}

void CClassroomView::ShowBroker() {
    QString state;
    switch (m_bridge.CurrentState()) {
    case CMqttBridge::State::On:
        state = tr("connected");
        break;
    case CMqttBridge::State::Connecting:
        state = tr("connecting");
        break;
    case CMqttBridge::State::Failed:
        state = tr("failed: %1").arg(m_bridge.Reason());
        break;
    case CMqttBridge::State::Off:
        state = tr("off");
        break;
    }
    m_ui->brokerLine->setText(
        tr("Broker %1, stations under \"%2\": %3")
            .arg(m_bridge.Options().broker.Url(),
                 m_root.isEmpty() ? QStringLiteral("+") : m_root + QStringLiteral("/+"), state));
}

void CClassroomView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        ShowBroker();
        emit m_model.headerDataChanged(Qt::Horizontal, 0, CClassroomModel::ColumnCount - 1);
        m_fitColumns.start();
    }
    QWidget::changeEvent(event);
}

} // namespace Korvane
