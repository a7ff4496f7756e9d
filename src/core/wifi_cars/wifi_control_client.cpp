#include "core/wifi_cars/wifi_control_client.h"

#include "core/link/port_diagnosis.h"

#include "core/link/tcp_transport.h"

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

CWifiControlClient::CWifiControlClient(WifiCar car, QObject* parent)
    : QObject(parent), m_texts(ClientTexts(car)), m_transport(new CTcpTransport),
      m_channel(std::unique_ptr<CTransport>(m_transport)),
      m_caption(QString::fromUtf8(m_texts.connectCaption)) {
    connect(&m_channel, &CLinkChannel::openFinished, this, [this](bool ok) { OnOpenFinished(ok); });
    connect(&m_channel, &CLinkChannel::lost, this, &CWifiControlClient::OnLost);
    connect(&m_channel, &CLinkChannel::frameReceived, this,
            [this](const QByteArray& frame, qint64 arrivalNs) {
                if (frame.size() > 10) // shorter texts carry nothing to show
                    emit frameReceived(frame, arrivalNs);
            });
}

CWifiControlClient::~CWifiControlClient() = default;

bool CWifiControlClient::IsConnected() const {
    return m_channel.IsOpen();
}

bool CWifiControlClient::IsConnecting() const {
    return m_channel.IsOpening();
}

void CWifiControlClient::SetStatus(const QString& text) {
    if (m_status == text)
        return;
    m_status = text;
    emit statusChanged(text);
}

void CWifiControlClient::SetCaption(const char* caption) {
    const QString text = QString::fromUtf8(caption);
    if (m_caption == text)
        return;
    m_caption = text;
    emit toggleCaptionChanged(text);
}

void CWifiControlClient::SetToggleEnabled(bool enabled) {
    if (m_toggleEnabled == enabled)
        return;
    m_toggleEnabled = enabled;
    emit toggleEnabledChanged(enabled);
}

void CWifiControlClient::SetFieldsEditable(bool editable) {
    if (m_fieldsEditable == editable)
        return;
    m_fieldsEditable = editable;
    emit fieldsEditableChanged(editable);
}

void CWifiControlClient::Toggle(const QString& addressText, const QString& portText) {
    if (m_channel.IsOpen()) {
        m_channel.Close();
        SetStatus(QString::fromUtf8(m_texts.closed));
        SetCaption(m_texts.connectCaption);
        SetFieldsEditable(true);
        return;
    }
    if (m_channel.IsOpening())
        return; // the button is disabled meanwhile; a second click changes nothing
    if (addressText.isEmpty() || portText.isEmpty()) {
        emit notice(QString::fromUtf8(m_texts.emptyField), Notice::Plain);
        return;
    }
    SetStatus(QString::fromUtf8(m_texts.connecting));
    const auto address = ParseControlAddress(addressText);
    const qint64 port = ParseControlPort(portText);
    if (!address || !IsUsablePort(port)) {
        // Nothing that could be connected to: no attempt, the not-reachable answer.
        emit notice(QString::fromUtf8(m_texts.notWritable), Notice::Warning);
        return;
    }
    m_addressText = addressText;
    m_port = quint16(port);
    m_channel.SetTarget(LinkTarget::Tcp(*address, quint16(port)));
    SetFieldsEditable(false);
    SetToggleEnabled(false);
    m_channel.Open();
}

void CWifiControlClient::OnOpenFinished(bool ok) {
    SetToggleEnabled(true);
    if (ok) {
        SetStatus(m_addressText + QString::fromUtf8(m_texts.connected));
        SetCaption(m_texts.closeCaption);
        return;
    }
    SetFieldsEditable(true); // the status line keeps the connecting text
    const bool unreachable = m_transport->LastFailure() == CTcpTransport::Failure::NotReachable;
    QString text = QString::fromUtf8(unreachable ? m_texts.notWritable : m_texts.optionError);
    // Which address and port were tried, and where the PC must be for the car to answer.
    if (unreachable)
        text += QStringLiteral("\n\n") + PortAdvice::ForUnansweredCar(m_addressText, m_port);
    emit notice(text, Notice::Warning);
}

void CWifiControlClient::OnLost() {
    // The car closed the connection (or a write failed): say so on the status line, without a
    // box that would interrupt driving; later frames take the serial route.
    m_channel.Close();
    SetStatus(QString::fromUtf8(m_texts.peerClosed));
    SetCaption(m_texts.connectCaption);
    SetFieldsEditable(true);
}

bool CWifiControlClient::Send(const QByteArray& frame) {
    return m_channel.Send(frame);
}

} // namespace Korvane
