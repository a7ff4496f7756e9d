#pragma once

#include "core/link/port_list.h"
#include "core/settings/station_settings.h"

#include <QComboBox>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

namespace Ui {
class CConfigDlg;
}

namespace Korvane {

// What the port dialog collects: the port as typed (a number alone names COM<n>) and the baud.
struct PortSettings {
    QString portName;
    int baud = 0;
};

// The message for a port that did not open: the station's own first line, then the advice.
QString PortFailureMessage(const QString& advice);

// The port list: each port by its name (what is typed and opened) with what the system knows
// of it (description, maker, USB ids, serial number; Bluetooth marked) beside it in the list,
// as its tooltip and as its accessible description. The entries are read afresh when the list
// drops down and whenever Refresh() finds the ports changed; what the user typed stays.
class CPortCombo : public QComboBox {
    Q_OBJECT
  public:
    explicit CPortCombo(QWidget* parent = nullptr);
    void showPopup() override;
    // Reads the ports again and updates the entries when they changed; false when there are
    // none.
    bool Refresh();
    const QList<PortEntry>& Ports() const { return m_ports; }
    // Where the ports come from (the system's list unless a test plugs its own in).
    void SetPortSource(std::function<QList<PortEntry>()> source);

    static constexpr int kSummaryRole = Qt::UserRole + 1;

  private:
    std::function<QList<PortEntry>()> m_source;
    QList<PortEntry> m_ports;
    bool m_filled = false;
};

// The serial port and baud rate dialog. It collects the port and the baud rate and asks its
// window to open (openRequested) or close (closeRequested) the link; the window acts and tells
// the outcome of an open (OnOpenFinished), which the dialog shows: on success it closes. The
// Open button stays disabled until the port answers, so opening never blocks.
class CConfigDlg : public QDialog {
    Q_OBJECT
  public:
    // ports: where the port list comes from (the system's ports unless a test plugs its own in);
    // remembered: the port that opened last, offered when it is present.
    explicit CConfigDlg(QWidget* parent = nullptr,
                        std::function<QList<PortEntry>()> ports = &SystemPorts,
                        const CStationSettings::PortChoice& remembered = {});
    ~CConfigDlg() override;

    void OnOpen();
    void OnClosePort();
    // The outcome of the open this dialog asked for (others, such as retries, are ignored); on
    // failure the advice follows the failure message.
    void OnOpenFinished(bool ok, const QString& advice = {});
    bool IsOpening() const { return m_opening; }
    // The port and baud rate of the last open asked for.
    PortSettings Settings() const { return m_settings; }
    // How often the port list is read again while the dialog is shown.
    static constexpr int kHotplugMs = 1000;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

  signals:
    void openRequested(const Korvane::PortSettings& settings);
    void closeRequested();

  private:
    void RetranslateUi();
    std::unique_ptr<Ui::CConfigDlg> m_ui;
    QTimer m_hotplug; // follows ports plugged in or out while the dialog is open
    PortSettings m_settings;
    bool m_opening = false;
};

} // namespace Korvane
