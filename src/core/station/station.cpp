#include "core/station/station.h"

#include "core/link/frames.h"
#include "core/products/catalogue.h"
#include "core/wifi_cars/wifi_control_client.h"

namespace Korvane {

CStation::CStation(std::unique_ptr<CTransport> serial, QObject* parent)
    : QObject(parent), m_serial(std::move(serial)), m_startNs(ArrivalClockNs()) {
    Listen(m_serial.Channel());
}

CStation::~CStation() {
    m_serial.Shutdown();
}

void CStation::Listen(CLinkChannel& channel) {
    connect(&channel, &CLinkChannel::traced, this, &CStation::frameTraced);
    connect(&channel, &CLinkChannel::stateChanged, this, &CStation::linkChanged);
}

void CStation::SetProduct(int index) {
    if (!IsValidProduct(index))
        return;
    m_product = index;
    m_serial.SetProduct(index);
    for (auto& [car, client] : m_controls)
        client->SetNetworkRoute(ControlFor(index) == client.get());
    emit productChanged(index);
}

CWifiControlClient& CStation::ControlClient(WifiCar car) {
    auto& client = m_controls[car];
    if (!client) {
        client = std::make_unique<CWifiControlClient>(car);
        client->SetNetworkRoute(ControlFor(m_product) == client.get());
        Listen(client->Channel());
    }
    return *client;
}

CWifiControlClient* CStation::ControlFor(int product) const {
    if (!IsValidProduct(product) || !Product(product).network)
        return nullptr;
    const auto car = WifiCarOfPanel(Product(product).panelId);
    if (!car)
        return nullptr;
    const auto it = m_controls.find(*car);
    return it == m_controls.end() ? nullptr : it->second.get();
}

const CWifiControlClient* CStation::ActiveControl() const {
    const CWifiControlClient* client = ControlFor(m_product);
    return client && (client->IsConnected() || client->IsConnecting()) ? client : nullptr;
}

QString CStation::LinkStateWord(LinkState state) {
    switch (state) {
    case LinkState::Open:
        return QStringLiteral("open");
    case LinkState::Opening:
        return QStringLiteral("opening");
    case LinkState::Failed:
        return QStringLiteral("failed");
    case LinkState::Closed:
        break;
    }
    return QStringLiteral("closed");
}

CStation::LinkStatus CStation::CurrentLink() const {
    // A Raspberry Pi car's own control connection, while it is up, is the link that counts.
    if (const CWifiControlClient* control = ActiveControl())
        return {QStringLiteral("tcp"), control->Channel().Description(),
                control->IsConnected() ? QStringLiteral("open") : QStringLiteral("opening")};
    return {QStringLiteral("serial"), m_serial.PortName(), LinkStateWord(m_serial.State())};
}

CStation::SendResult CStation::Send(const QByteArray& frame, CommandOrigin origin) {
    if (frame.size() > kMaxOutgoingFrame)
        return SendResult::NotTaken;
    if (CWifiControlClient* control = ControlFor(m_product); control && control->TakesFrames()) {
        control->Channel().MarkOrigin(frame, origin);
        if (!control->Send(frame))
            return SendResult::NotTaken;
        emit commandSent(frame, origin);
        return SendResult::Sent;
    }
    if (!m_serial.IsOpen())
        return SendResult::NotOpen;
    m_serial.MarkOrigin(frame, origin);
    if (!m_serial.Send(frame))
        return SendResult::NotTaken;
    emit commandSent(frame, origin);
    return SendResult::Sent;
}

} // namespace Korvane
