#pragma once

#include "core/link/link_channel.h"
#include "core/wifi_cars/wifi_car_model.h"
#include "gui/panels/panel_base.h"

#include <QObject>

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace Korvane {

class CTcpTransport;

// The texts and the network product of one Wi-Fi panel's control client.
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

// The TCP control connection of a Wi-Fi panel and the route of every frame the panel sends:
// over TCP only while the panel serves its network product (SetNetworkRoute) with the
// connection up, otherwise over the serial link of the panel's window. Connecting never blocks the
// window; the connection closed by the car is noticed; received bytes are cut into frames like the
// serial link's, and every frame longer than 10 characters goes to the panel's parser, in order.
class CWifiControlClient : public QObject {
    Q_OBJECT
  public:
    CWifiControlClient(WifiCar car, CPanelHost* host, QWidget* panel);
    ~CWifiControlClient() override;

    // The panel's controls: address 1307, port 1308, toggle 1310, status line 1311.
    void Bind(QLineEdit* address, QLineEdit* port, QAbstractButton* toggle, QLabel* status);

    // The connect / close button.
    void Toggle();
    // Sends one frame by the route above; false when it could not be handed over.
    bool Send(const QByteArray& frame);
    // Whether the product the panel serves now is reached over TCP (told on every selection).
    void SetNetworkRoute(bool network) { m_networkRoute = network; }

    bool IsConnected() const;
    bool IsConnecting() const;
    CLinkChannel& Channel() { return m_channel; }
    CTcpTransport& Transport() { return *m_transport; }

  signals:
    void frameReceived(const QByteArray& frame, qint64 arrivalNs);

  private:
    void OnOpenFinished(bool ok);
    void OnLost();
    void SetFieldsEnabled(bool enabled);
    void SetStatus(const QString& text);

    const WifiClientTexts& m_texts;
    bool m_networkRoute = false;
    CPanelHost* m_host;
    QWidget* m_panel;
    CTcpTransport* m_transport; // owned by m_channel
    CLinkChannel m_channel;
    QString m_addressText; // as typed for the attempt under way
    QLineEdit* m_address = nullptr;
    QLineEdit* m_port = nullptr;
    QAbstractButton* m_toggle = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace Korvane
