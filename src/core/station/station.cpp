#include "core/station/station.h"

#include "core/link/frames.h"
#include "core/products/catalogue.h"
#include "core/wifi_cars/wifi_control_client.h"

namespace Korvane {

CStation::CStation(std::unique_ptr<CTransport> serial, QObject* parent)
    : QObject(parent), m_serial(std::move(serial)), m_startNs(ArrivalClockNs()) {
    Listen(m_serial.Channel());
    m_serial.SetDeliver(
        [this](const RoutedFrame& rf) {
            Read(rf.message, rf.frame, rf.arrivalNs, m_serial.Channel().Description());
        },
        [this] { EndBatch(); });
    m_controlBatch.setSingleShot(true);
    m_controlBatch.setInterval(0);
    connect(&m_controlBatch, &QTimer::timeout, this, &CStation::EndBatch);
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
    Model(Product(index).panelId);
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
        // Its frames are read as the serial link's are, by the family of the car it serves.
        int route = 0;
        for (int i = 0; IsValidProduct(i) && !route; ++i)
            if (WifiCarOfPanel(Product(i).panelId) == car)
                route = Product(i).routes[0].message;
        CWifiControlClient* c = client.get();
        connect(c, &CWifiControlClient::frameReceived, this,
                [this, c, route](const QByteArray& frame, qint64 arrivalNs) {
                    Read(route, frame, arrivalNs, c->Channel().Description());
                    m_controlBatch.start();
                });
    }
    return *client;
}

CPanelModel* CStation::Model(int panelId) {
    auto& model = m_models[panelId];
    if (!model) {
        const FamilyDescriptor* family = FindFamily(panelId);
        // The product it is made for: the current one, else the family's first.
        int product = m_product;
        if (!IsValidProduct(product) || Product(product).panelId != panelId) {
            product = -1;
            for (int i = 0; IsValidProduct(i) && product < 0; ++i)
                if (Product(i).panelId == panelId)
                    product = i;
        }
        model = family && family->makeModel ? family->makeModel(product)
                                            : std::make_unique<CPanelModel>();
    }
    return model.get();
}

void CStation::Read(int route, const QByteArray& frame, qint64 arrivalNs, const QString& link) {
    const int panelId = PanelForMessage(route);
    const FamilyDescriptor* family = FindFamily(panelId);
    if (!family || !family->read)
        return;
    CPanelModel* model = Model(panelId);
    if (!model->InBatch()) {
        model->BeginBatch();
        m_inBatch.append(model);
    }
    FrameRecord record;
    record.product = m_product;
    record.route = route;
    record.bytes = frame;
    record.link = link;
    record.arrivalNs = arrivalNs;
    record.wallMs = WallClockMsAt(arrivalNs);
    family->read(*model, record);
    emit frameRead(record);
}

void CStation::EndBatch() {
    const QList<CPanelModel*> models = std::exchange(m_inBatch, {});
    for (CPanelModel* model : models)
        model->EndBatch();
    emit batchRead();
}

DrivingKeyTable CStation::Keys() const {
    const FamilyDescriptor* family = Family();
    return family ? family->keys(m_product) : DrivingKeyTable{};
}

bool CStation::SendsFrame(const QByteArray& frame) const {
    const FamilyDescriptor* family = Family();
    return family && family->sendsFrame(m_product, frame);
}

CStation::SendResult CStation::PressKey(int qtKey, CommandOrigin origin) {
    if (!IsValidProduct(m_product))
        return SendResult::NotTaken;
    const int panelId = Product(m_product).panelId;
    auto it = m_keys.find(panelId);
    if (it == m_keys.end())
        it = m_keys.emplace(panelId, CDrivingKeys(Keys())).first;
    const auto frame = it->second.OnKeyDown(qtKey);
    if (!frame)
        return SendResult::NotTaken;
    return Send(*frame, origin);
}

int CStation::LastKeyState(int panelId) const {
    const auto it = m_keys.find(panelId);
    return it == m_keys.end() ? 0 : it->second.LastKeyState();
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
    bool sent = false;
    if (CWifiControlClient* control = ControlFor(m_product); control && control->TakesFrames()) {
        control->Channel().MarkOrigin(frame, origin);
        sent = control->Send(frame);
    } else {
        if (!m_serial.IsOpen())
            return SendResult::NotOpen;
        m_serial.MarkOrigin(frame, origin);
        sent = m_serial.Send(frame);
    }
    if (!sent)
        return SendResult::NotTaken;
    // The family's model learns what its device was told (a balance car's gains in force).
    if (const FamilyDescriptor* family = Family())
        if (const auto it = m_models.find(family->panelId); it != m_models.end())
            it->second->OnCommandSent(frame);
    emit commandSent(frame, origin);
    return SendResult::Sent;
}

} // namespace Korvane
