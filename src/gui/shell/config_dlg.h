#pragma once

#include <QComboBox>
#include <QDialog>

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

// The port list: its entries are read afresh from the system each time it drops down.
class CPortCombo : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    void showPopup() override;
    // Replaces the entries with the system's serial ports; false when there are none.
    bool RefillFromSystem();
};

// The serial port and baud rate dialog. It collects the port and the baud rate and asks its
// window to open (openRequested) or close (closeRequested) the link; the window acts and tells
// the outcome of an open (OnOpenFinished), which the dialog shows: on success it closes. The
// Open button stays disabled until the port answers, so opening never blocks.
class CConfigDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CConfigDlg(QWidget* parent = nullptr);
    ~CConfigDlg() override;

    void OnOpen();
    void OnClosePort();
    // The outcome of the open this dialog asked for (others, such as retries, are ignored); on
    // failure the advice follows the failure message.
    void OnOpenFinished(bool ok, const QString& advice = {});
    bool IsOpening() const { return m_opening; }
    // The port and baud rate of the last open asked for.
    PortSettings Settings() const { return m_settings; }

  signals:
    void openRequested(const Korvane::PortSettings& settings);
    void closeRequested();

  private:
    std::unique_ptr<Ui::CConfigDlg> m_ui;
    PortSettings m_settings;
    bool m_opening = false;
};

} // namespace Korvane
