#include "gui/wifi_cars/wifi_control_client.h"

#include "core/link/tcp_transport.h"
#include "gui/common/message_seam.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace Korvane {

const WifiClientTexts& ClientTexts(WifiCar car) {
    static const WifiClientTexts kFourWd = {"The server address or port cannot be NULL",
                                            "Connecting to server....\r\n",
                                            "FD_ISSET do not write!",
                                            "getsockopt error!",
                                            "Connection to server successful!\r\n",
                                            "Close conection",
                                            "Successfully closed soket！",
                                            "Connect control",
                                            "Connection closed by the server!\r\n"};
    static const WifiClientTexts kPendrix = {"服务器地址或者端口不能为NULL",
                                             "正在连接服务器....\r\n",
                                             "FD_ISSET 不可写!",
                                             "getsockopt 有错!",
                                             "连接服务器成功！\r\n",
                                             "关闭连接",
                                             "成功关闭soket！",
                                             "连接控制",
                                             "服务器已关闭连接！\r\n"};
    return car == WifiCar::FourWd ? kFourWd : kPendrix;
}

CWifiControlClient::CWifiControlClient(WifiCar car, CPanelHost* host, QWidget* panel)
    : QObject(panel), m_texts(ClientTexts(car)), m_host(host), m_panel(panel),
      m_transport(new CTcpTransport), m_channel(std::unique_ptr<CTransport>(m_transport)) {
    connect(&m_channel, &CLinkChannel::openFinished, this, [this](bool ok) { OnOpenFinished(ok); });
    connect(&m_channel, &CLinkChannel::lost, this, &CWifiControlClient::OnLost);
    connect(&m_channel, &CLinkChannel::frameReceived, this,
            [this](const QByteArray& frame, qint64 arrivalNs) {
                if (frame.size() > 10) // shorter texts carry nothing to show
                    emit frameReceived(frame, arrivalNs);
            });
}

CWifiControlClient::~CWifiControlClient() = default;

void CWifiControlClient::Bind(QLineEdit* address, QLineEdit* port, QAbstractButton* toggle,
                              QLabel* status) {
    m_address = address;
    m_port = port;
    m_toggle = toggle;
    m_status = status;
    m_status->setTextFormat(Qt::PlainText);
}

bool CWifiControlClient::IsConnected() const {
    return m_channel.IsOpen();
}

bool CWifiControlClient::IsConnecting() const {
    return m_channel.IsOpening();
}

void CWifiControlClient::SetFieldsEnabled(bool enabled) {
    m_address->setEnabled(enabled);
    m_port->setEnabled(enabled);
}

void CWifiControlClient::SetStatus(const QString& text) {
    m_status->setText(text);
}

void CWifiControlClient::Toggle() {
    if (m_channel.IsOpen()) {
        m_channel.Close();
        SetStatus(QString::fromUtf8(m_texts.closed));
        m_toggle->setText(QString::fromUtf8(m_texts.connectCaption));
        SetFieldsEnabled(true);
        return;
    }
    if (m_channel.IsOpening())
        return; // the button is disabled meanwhile; a second click changes nothing
    const QString addressText = m_address->text();
    const QString portText = m_port->text();
    if (addressText.isEmpty() || portText.isEmpty()) {
        ShowMessage(QString::fromUtf8(m_texts.emptyField), m_panel, MessageIcon::None);
        return;
    }
    SetStatus(QString::fromUtf8(m_texts.connecting));
    const auto address = ParseControlAddress(addressText);
    const qint64 port = ParseControlPort(portText);
    if (!address || !IsUsablePort(port)) {
        // Nothing that could be connected to: no attempt, the not-reachable answer.
        ShowMessage(QString::fromUtf8(m_texts.notWritable), m_panel, MessageIcon::Warning);
        return;
    }
    m_addressText = addressText;
    m_channel.SetTarget(LinkTarget::Tcp(*address, quint16(port)));
    SetFieldsEnabled(false);
    m_toggle->setEnabled(false);
    m_channel.Open();
}

void CWifiControlClient::OnOpenFinished(bool ok) {
    m_toggle->setEnabled(true);
    if (ok) {
        SetStatus(m_addressText + QString::fromUtf8(m_texts.connected));
        m_toggle->setText(QString::fromUtf8(m_texts.closeCaption));
        return;
    }
    SetFieldsEnabled(true); // the status line keeps the connecting text
    const bool unreachable = m_transport->LastFailure() == CTcpTransport::Failure::NotReachable;
    ShowMessage(QString::fromUtf8(unreachable ? m_texts.notWritable : m_texts.optionError), m_panel,
                MessageIcon::Warning);
}

void CWifiControlClient::OnLost() {
    // The car closed the connection (or a write failed): say so on the status line, without a
    // box that would interrupt driving; later frames take the serial route.
    m_channel.Close();
    SetStatus(QString::fromUtf8(m_texts.peerClosed));
    m_toggle->setText(QString::fromUtf8(m_texts.connectCaption));
    SetFieldsEnabled(true);
}

bool CWifiControlClient::Send(const QByteArray& frame) {
    if (m_networkRoute && m_channel.IsOpen())
        return m_channel.Send(frame);
    return m_host ? m_host->SendFrame(frame) : false;
}

} // namespace Korvane
