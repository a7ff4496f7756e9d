#pragma once

#include "core/link/link_manager.h"
#include "core/wifi_cars/wifi_car_model.h"

#include <QObject>

#include <map>
#include <memory>

namespace Korvane {

class CWifiControlClient;

// One window's station, without widgets: its product, its links (the serial link, and the
// control connection of each Raspberry Pi car it has served) and the one door every command
// goes out by. Every frame of its links, sent or received, is told once by frameTraced, on the
// one clock of the station, and nothing of another window's links ever is. A product switched
// away from keeps its control connection, as a hidden panel keeps its state. Lives on the UI
// thread.
class CStation : public QObject {
    Q_OBJECT
  public:
    explicit CStation(std::unique_ptr<CTransport> serial, QObject* parent = nullptr);
    ~CStation() override;

    CLinkManager& SerialLink() { return m_serial; }
    const CLinkManager& SerialLink() const { return m_serial; }

    // The window's product (-1 before the first selection): the serial link's routes, and the
    // link commands go by.
    void SetProduct(int index);
    int CurrentProduct() const { return m_product; }

    // The control connection for a Wi-Fi car, made on first use and kept while the station
    // lives (its panel binds to it).
    CWifiControlClient& ControlClient(WifiCar car);
    // The control connection of the current product while it is opening or open; null when
    // there is none.
    const CWifiControlClient* ActiveControl() const;

    // The link that counts for the current product, for status reports: kind ("serial",
    // "tcp"), name (port, or address:port) and state ("closed", "opening", "open", "failed").
    struct LinkStatus {
        QString kind, name, state;
    };
    LinkStatus CurrentLink() const;

    // The one door for commands: a frame with who asked for it. It goes over the current
    // product's control connection while that takes frames, else down the serial link.
    enum class SendResult { Sent, NotOpen, NotTaken };
    SendResult Send(const QByteArray& frame, CommandOrigin origin);

    // ArrivalClockNs when the station began: the zero of its frames' times.
    qint64 StartNs() const { return m_startNs; }

    static QString LinkStateWord(LinkState state);

  signals:
    // Every frame written or assembled on any of this station's links, in order.
    void frameTraced(const Korvane::TracedFrame& frame);
    void productChanged(int index);
    // A link's state changed (the serial link's, or a control connection's).
    void linkChanged();
    // A frame the door took, after it went to its link (for the window's own reactions).
    void commandSent(const QByteArray& frame, Korvane::CommandOrigin origin);

  private:
    void Listen(CLinkChannel& channel);
    CWifiControlClient* ControlFor(int product) const;

    CLinkManager m_serial;
    int m_product = -1;
    std::map<WifiCar, std::unique_ptr<CWifiControlClient>> m_controls;
    qint64 m_startNs;
};

} // namespace Korvane
