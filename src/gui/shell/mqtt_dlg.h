#pragma once

#include "core/settings/station_settings.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CMqttDlg;
}

namespace Korvane {

// Config → "Share over MQTT...": the broker, the user and password, the CA file for mqtts://,
// the station's name and topic prefix, and whether remote control is allowed. OK checks the
// broker address; the window applies and remembers the choice (the password in the keyring).
class CMqttDlg : public QDialog {
    Q_OBJECT
  public:
    CMqttDlg(const CStationSettings::MqttChoice& choice, QWidget* parent = nullptr);
    ~CMqttDlg() override;

    CStationSettings::MqttChoice Choice() const;
    QString Password() const;
    void SetPassword(const QString& password);
    // What the dialog says about the keyring (whether the password can be remembered).
    void SetKeyringNote(const QString& note);

    void accept() override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    std::unique_ptr<Ui::CMqttDlg> m_ui;
    QString m_defaultPrefix; // the prefix the station name gives, while the user kept it
};

} // namespace Korvane
