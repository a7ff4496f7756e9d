#pragma once

#include "core/link/link_channel.h"
#include "core/wifi_cars/wifi_car_model.h"

#include <QObject>

namespace Korvane {

class CTcpTransport;

// The texts of one Wi-Fi panel's control client.
struct WifiClientTexts {
    const char* emptyField;
    const char* connecting;
    const char* notWritable;
    const char* optionError;
    const char* connected;
    const char* closeCaption;
    const char* closed;
    const char* connectCaption;
    const char* peerClosed;
};
const WifiClientTexts& ClientTexts(WifiCar car);

// The TCP control connection of a Wi-Fi panel, without widgets: it keeps its state and texts
// (the status line, the button's caption, whether the button and the address fields can be
// used) and says when they change; the panel binds its controls to them. Connecting never
// blocks the window; the connection closed by the car is noticed; received bytes are cut into
// frames like the serial link's, and every frame longer than 10 characters is handed on, in
// order, with its arrival time. Frames go over TCP only while the panel serves its network
// product (SetNetworkRoute) with the connection up (TakesFrames); otherwise the panel sends
// them down its window's serial link.
class CWifiControlClient : public QObject {
    Q_OBJECT
  public:
    // How a message the client raises is shown.
    enum class Notice { Plain, Warning };

    explicit CWifiControlClient(WifiCar car, QObject* parent = nullptr);
    ~CWifiControlClient() override;

    // The connect / close button, with the address and port as the user typed them.
    void Toggle(const QString& addressText, const QString& portText);
    // Whether the product the panel serves now is reached over TCP (told on every selection).
    void SetNetworkRoute(bool network) { m_networkRoute = network; }
    // True when frames go over TCP now.
    bool TakesFrames() const { return m_networkRoute && m_channel.IsOpen(); }
    // Sends one frame over TCP; false when it could not be handed over.
    bool Send(const QByteArray& frame);

    bool IsConnected() const;
    bool IsConnecting() const;
    CLinkChannel& Channel() { return m_channel; }
    const CLinkChannel& Channel() const { return m_channel; }
    CTcpTransport& Transport() { return *m_transport; }

    // The state the panel's controls show.
    QString Status() const { return m_status; }
    QString ToggleCaption() const { return m_caption; }
    bool ToggleEnabled() const { return m_toggleEnabled; }
    bool FieldsEditable() const { return m_fieldsEditable; }
    // Gives the status line and the caption again in the language in use (they change, and
    // are told, only where the translation differs).
    void Retranslate();

  signals:
    void frameReceived(const QByteArray& frame, qint64 arrivalNs);
    void statusChanged(const QString& status);
    void toggleCaptionChanged(const QString& caption);
    void toggleEnabledChanged(bool enabled);
    void fieldsEditableChanged(bool editable);
    // Something the user must be told in a message box.
    void notice(const QString& text, Korvane::CWifiControlClient::Notice kind);

  private:
    void OnOpenFinished(bool ok);
    void OnLost();
    static QString Translated(const char* text);
    // The status line: a text of the table, after prefix (the address when connected).
    void SetStatus(const char* text, const QString& prefix = {});
    void SetCaption(const char* caption);
    void SetToggleEnabled(bool enabled);
    void SetFieldsEditable(bool editable);

    const WifiClientTexts& m_texts;
    bool m_networkRoute = false;
    CTcpTransport* m_transport; // owned by m_channel
    CLinkChannel m_channel;
    QString m_addressText; // as typed for the attempt under way
    quint16 m_port = 0;
    const char* m_statusKey = nullptr;
    QString m_statusPrefix;
    QString m_status;
    const char* m_captionKey;
    QString m_caption;
    bool m_toggleEnabled = true;
    bool m_fieldsEditable = true;
};

} // namespace Korvane
