#include "gui/shell/mqtt_share.h"

#include "core/boards/board_text.h"
#include "core/mqtt/telemetry_json.h"
#include "core/products/catalogue.h"
#include "gui/shell/color_status.h"
#include "gui/shell/main_frame.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

namespace Korvane {

namespace {

QByteArray Json(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

CMqttShare::CMqttShare(CMainFrame* frame, const MqttOptions& options)
    : QObject(frame), m_frame(frame), m_options(options), m_bridge(new CMqttBridge(this)),
      m_prefix(options.prefix) {
    connect(m_bridge, &CMqttBridge::stateChanged, this, &CMqttShare::ShowState);
    connect(m_bridge, &CMqttBridge::droppedChanged, this, &CMqttShare::ShowState);
    connect(m_bridge, &CMqttBridge::messageArrived, this, &CMqttShare::OnMessage);
    CStation& station = frame->Station();
    connect(&station, &CStation::linkChanged, this, &CMqttShare::UpdateStatus);
    connect(&station, &CStation::productChanged, this, &CMqttShare::UpdateStatus);
    // Only this window's frames: its station's links, nobody else's.
    connect(&station, &CStation::frameTraced, this, &CMqttShare::OnFrame);
    connect(&station, &CStation::frameRead, this, &CMqttShare::OnRecord);
    if (options.allowRemote)
        m_bridge->SetSubscriptions(
            {m_prefix + QStringLiteral("/cmd/frame"), m_prefix + QStringLiteral("/cmd/key")});
    m_refill.start();
    UpdateStatus();
    m_bridge->Start(options);
    ShowState();
}

CMqttShare::~CMqttShare() {
    // The goodbye on the broker takes a moment: the window does not wait for it. The bridge
    // stays the window's until it has said it, and is joined with the window at the latest.
    m_bridge->Stop(); // the pane says off
    disconnect(m_bridge, nullptr, this, nullptr);
    m_bridge->setParent(m_frame);
    m_bridge->DeleteWhenFinished();
}

void CMqttShare::UpdateStatus() {
    const CStation& station = m_frame->Station();
    const int product = station.CurrentProduct();
    const CStation::LinkStatus link = station.CurrentLink();
    const QJsonObject linkJson{{QStringLiteral("kind"), link.kind},
                               {QStringLiteral("name"), link.name},
                               {QStringLiteral("state"), link.state}};
    QJsonObject status{
        {QStringLiteral("station"), m_options.stationName},
        {QStringLiteral("online"), true},
        {QStringLiteral("version"), QStringLiteral(KORVANE_VERSION)},
        {QStringLiteral("product"), product},
        {QStringLiteral("product_name"),
         IsValidProduct(product) ? QString::fromLatin1(Product(product).label) : QString()},
        {QStringLiteral("link"), linkJson},
        {QStringLiteral("remote_control"), m_options.allowRemote},
    };
    const QByteArray json = Json(status);
    if (json == m_lastStatus)
        return;
    m_lastStatus = json;
    m_bridge->SetStatus(json);
}

void CMqttShare::OnFrame(const TracedFrame& f) {
    // Every time is the frame's own: when it arrived (or was written), not when it is published.
    const qint64 at = f.wallMs;
    const bool received = f.direction == TraceDirection::Received;
    QJsonObject o{{QStringLiteral("time_ms"), at},
                  {QStringLiteral("since_open_ms"), f.sinceOpenMs},
                  {QStringLiteral("link"), f.link},
                  {QStringLiteral("frame"), FromGbk(f.bytes)}};
    if (f.Remote())
        o.insert(QStringLiteral("remote"), true);
    m_bridge->Publish(m_prefix + (received ? QStringLiteral("/rx") : QStringLiteral("/tx")),
                      Json(o));
}

void CMqttShare::OnRecord(const FrameRecord& record) {
    // What the station read from the frame, once, as it read it for the panel (a board's
    // readings depend on the choices in its model).
    if (record.fields.isEmpty())
        return;
    m_bridge->Publish(m_prefix + QStringLiteral("/telemetry"), TelemetryJson(record));
}

int CMqttShare::RemoteKey(const QByteArray& name) {
    const QByteArray key = name.trimmed().toLower();
    static const struct {
        const char* name;
        int key;
    } kKeys[] = {{"w", Qt::Key_W},        {"a", Qt::Key_A},         {"s", Qt::Key_S},
                 {"d", Qt::Key_D},        {"space", Qt::Key_Space}, {"left", Qt::Key_Left},
                 {"right", Qt::Key_Right}};
    for (const auto& k : kKeys)
        if (key == k.name)
            return k.key;
    return 0;
}

bool CMqttShare::IsCommandFrame(const QByteArray& frame) {
    if (frame.size() < 2 || frame.size() > 1024 || !frame.startsWith('$') || !frame.endsWith('#'))
        return false;
    for (char c : frame)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

bool CMqttShare::TakeToken() {
    m_tokens = std::min(50.0, m_tokens + m_refill.restart() * 50.0 / 1000.0);
    if (m_tokens < 1)
        return false;
    m_tokens -= 1;
    return true;
}

void CMqttShare::Refuse(const QString& topic, const QByteArray& payload, const QString& reason) {
    ++m_refused;
    m_bridge->Publish(m_prefix + QStringLiteral("/cmd/refused"),
                      Json({{QStringLiteral("topic"), topic},
                            {QStringLiteral("command"), QString::fromLatin1(payload.left(1024))},
                            {QStringLiteral("reason"), reason}}));
    ShowState();
}

void CMqttShare::OnMessage(const QString& topic, const QByteArray& payload) {
    const bool isKey = topic == m_prefix + QStringLiteral("/cmd/key");
    const bool isFrame = topic == m_prefix + QStringLiteral("/cmd/frame");
    if (!isKey && !isFrame)
        return;
    if (!m_bridge->Options().allowRemote)
        return Refuse(topic, payload, QStringLiteral("remote control is off"));
    if (!TakeToken())
        return Refuse(topic, payload, QStringLiteral("more than 50 commands a second"));
    CStation& station = m_frame->Station();
    if (!IsValidProduct(station.CurrentProduct()))
        return Refuse(topic, payload, QStringLiteral("no product is shown"));
    if (isKey) {
        // The product's key table and its repeat rule decide, as for a key pressed here.
        const int key = RemoteKey(payload);
        if (!key || !FindDrivingKey(key, station.Keys()))
            return Refuse(topic, payload, QStringLiteral("not a driving key of this product"));
        if (station.PressKey(key, CommandOrigin::Remote) == CStation::SendResult::NotOpen)
            return Refuse(topic, payload, QStringLiteral("the car's link is not open"));
    } else {
        const QByteArray frame = payload.trimmed();
        if (!IsCommandFrame(frame))
            return Refuse(topic, payload,
                          QStringLiteral("not a command frame (printable, \"$...#\", at most "
                                         "1024 bytes)"));
        if (!station.SendsFrame(frame))
            return Refuse(topic, payload, QStringLiteral("not a frame this product's panel sends"));
        if (station.Send(frame, CommandOrigin::Remote) == CStation::SendResult::NotOpen)
            return Refuse(topic, payload, QStringLiteral("the car's link is not open"));
    }
    ++m_taken;
    ShowState();
}

void CMqttShare::ShowState() {
    CColorStatu* status = m_frame->StatusBar();
    const quint64 dropped = m_bridge->Dropped();
    QString note = m_bridge->Options().broker.Url();
    if (!m_bridge->Reason().isEmpty())
        note += QStringLiteral("\n") + m_bridge->Reason();
    if (dropped > 0)
        note += QStringLiteral("\n") + tr("%n message(s) dropped: the broker was slower than the "
                                          "station",
                                          nullptr, int(std::min<quint64>(dropped, INT_MAX)));
    if (m_bridge->Options().allowRemote)
        note +=
            QStringLiteral("\n") +
            tr("Remote control allowed: %1 commands taken, %2 refused").arg(m_taken).arg(m_refused);
    switch (m_bridge->CurrentState()) {
    case CMqttBridge::State::On:
        status->SetMqttPane(m_taken > 0 ? tr("MQTT: on, remotely driven") : tr("MQTT: on"),
                            QColor(0, 255, 0), note);
        break;
    case CMqttBridge::State::Connecting:
        status->SetMqttPane(tr("MQTT: connecting"), QColor(255, 255, 0), note);
        break;
    case CMqttBridge::State::Failed:
        status->SetMqttPane(tr("MQTT: failed"), QColor(255, 0, 0), note);
        break;
    case CMqttBridge::State::Off:
        status->SetMqttPane(tr("MQTT: off"), QColor(), note);
        break;
    }
}

} // namespace Korvane
