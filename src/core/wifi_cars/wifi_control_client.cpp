#include "core/wifi_cars/wifi_control_client.h"

#include "core/link/port_diagnosis.h"

#include "core/link/tcp_transport.h"

#include <QCoreApplication>

namespace Korvane {

const WifiClientTexts& ClientTexts(WifiCar car) {
    static const WifiClientTexts kFourWd = {
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient",
                          "The server address or port cannot be NULL"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "Connecting to server....\r\n"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "FD_ISSET do not write!"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "getsockopt error!"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "Connection to server successful!\r\n"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "Close conection"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "Successfully closed soket！"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "Connect control"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "Connection closed by the server!\r\n")};
    static const WifiClientTexts kPendrix = {
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "服务器地址或者端口不能为NULL"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "正在连接服务器....\r\n"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "FD_ISSET 不可写!"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "getsockopt 有错!"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "连接服务器成功！\r\n"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "关闭连接"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "成功关闭soket！"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "连接控制"),
        QT_TRANSLATE_NOOP("Korvane::CWifiControlClient", "服务器已关闭连接！\r\n")};
    return car == WifiCar::FourWd ? kFourWd : kPendrix;
}

CWifiControlClient::CWifiControlClient(WifiCar car, QObject* parent)
    : QObject(parent), m_texts(ClientTexts(car)), m_transport(new CTcpTransport),
      m_channel(std::unique_ptr<CTransport>(m_transport)), m_captionKey(m_texts.connectCaption),
      m_caption(Translated(m_captionKey)) {
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

QString CWifiControlClient::Translated(const char* text) {
    return QCoreApplication::translate("Korvane::CWifiControlClient", text);
}

void CWifiControlClient::SetStatus(const char* text, const QString& prefix) {
    m_statusKey = text;
    m_statusPrefix = prefix;
    const QString status = prefix + Translated(text);
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged(status);
}

void CWifiControlClient::SetCaption(const char* caption) {
    m_captionKey = caption;
    const QString text = Translated(caption);
    if (m_caption == text)
        return;
    m_caption = text;
    emit toggleCaptionChanged(text);
}

void CWifiControlClient::Retranslate() {
    if (m_statusKey)
        SetStatus(m_statusKey, m_statusPrefix);
    SetCaption(m_captionKey);
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
        SetStatus(m_texts.closed);
        SetCaption(m_texts.connectCaption);
        SetFieldsEditable(true);
        return;
    }
    if (m_channel.IsOpening())
        return; // the button is disabled meanwhile; a second click changes nothing
    if (addressText.isEmpty() || portText.isEmpty()) {
        emit notice(Translated(m_texts.emptyField), Notice::Plain);
        return;
    }
    SetStatus(m_texts.connecting);
    const auto address = ParseControlAddress(addressText);
    const qint64 port = ParseControlPort(portText);
    if (!address || !IsUsablePort(port)) {
        // Nothing that could be connected to: no attempt, the not-reachable answer.
        emit notice(Translated(m_texts.notWritable), Notice::Warning);
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
        SetStatus(m_texts.connected, m_addressText);
        SetCaption(m_texts.closeCaption);
        return;
    }
    SetFieldsEditable(true); // the status line keeps the connecting text
    const bool unreachable = m_transport->LastFailure() == CTcpTransport::Failure::NotReachable;
    QString text = Translated(unreachable ? m_texts.notWritable : m_texts.optionError);
    // Which address and port were tried, and where the PC must be for the car to answer.
    if (unreachable)
        text += QStringLiteral("\n\n") + PortAdvice::ForUnansweredCar(m_addressText, m_port);
    emit notice(text, Notice::Warning);
}

void CWifiControlClient::OnLost() {
    // The car closed the connection (or a write failed): say so on the status line, without a
    // box that would interrupt driving; later frames take the serial route.
    m_channel.Close();
    SetStatus(m_texts.peerClosed);
    SetCaption(m_texts.connectCaption);
    SetFieldsEditable(true);
}

bool CWifiControlClient::Send(const QByteArray& frame) {
    return m_channel.Send(frame);
}

} // namespace Korvane
