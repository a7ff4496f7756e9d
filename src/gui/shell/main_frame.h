#pragma once

#include "core/link/link_manager.h"
#include "core/mqtt/mqtt_bridge.h"
#include "core/settings/station_settings.h"
#include "core/station/station.h"
#include "gui/common/language.h"
#include "gui/panels/panel_base.h"
#include "gui/shell/classroom_view.h"
#include "gui/shell/command_table.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

#include <vector>

class QToolBar;
class QAction;
class QActionGroup;
class QMenu;

namespace Korvane {

class CColorStatu;
class CConfigDlg;
class CFrameMonitor;
class CKorvaneDoc;
class CMqttShare;
class CPanelStack;
class CSharingController;

// The main window: menu, toolbar, status bar, the serial link, and one visible product panel.
// Its panels and dialogs work with this window's link; a second window has its own.
class CMainFrame : public QMainWindow, public CPanelHost {
    Q_OBJECT
  public:
    explicit CMainFrame(QWidget* parent = nullptr);
    // With another transport than the serial port for its link (tests feed bytes in).
    explicit CMainFrame(std::unique_ptr<CTransport> transport, QWidget* parent = nullptr);
    // With the application's settings, which outlive the window (without them the window
    // keeps settings of its own, on the same file).
    CMainFrame(CStationSettings& settings, std::unique_ptr<CTransport> transport,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Puts a frame on this window's serial link, or tells the user that it is not open.
    bool SendFrame(const QByteArray& frame) override;
    void ShowStatusText(const QString& text) override;
    bool SendCommand(const QByteArray& frame, CommandOrigin origin) override;
    bool PressKey(int qtKey, CommandOrigin origin) override;
    CStation& Station() override { return m_station; }
    CStationSettings& Settings() override { return *m_settings; }

    // Product menu: makes index this window's product: its title, the routes of its link and
    // the panel it shows. Each window has its own product.
    // The size, place and docks of the last session, or the default size.
    void RestoreLayout();
    void SelectProduct(int index);
    // This window's product (-1 before the first selection).
    int CurrentProduct() const { return m_product; }
    // Shows the panel of a dialog id, creating it on first use.
    CPanelBase* SwitchPanel(int dialogId);
    void SetProductTitle(int index);
    CPanelBase* CurrentPanel() const;
    // This window's panel of a dialog id, or null when it has not been created.
    CPanelBase* PanelForDialog(int dialogId) const;

    // Starts opening the serial link; the link's openFinished() tells the outcome.
    void OpenLink(const QString& portName, int baud);
    void CloseLink();
    // The toolbar's open/close command.
    void OnOpenClose();
    void ShowConfigDialog();
    // The port dialog, wired to this window: the window opens and closes the link it asks for.
    std::unique_ptr<CConfigDlg> MakeConfigDialog();
    void ShowAbout();
    // Config → "Share over MQTT...": opens without waiting; OK applies and remembers.
    void ShowMqttDialog();
    // View → "Classroom...": every station on the broker this window shares on (or the one
    // remembered); says so when there is none.
    void ShowClassroom();
    CClassroomView* Classroom() const;
    // Shares (or stops sharing) as a remembered choice says, with the password given.
    void ApplyMqttChoice(const CStationSettings::MqttChoice& choice, const QString& password);

    CLinkManager& Link() { return m_station.SerialLink(); }
    CColorStatu* StatusBar() const { return m_status; }
    // The frame monitor dock ("View" → "Frame monitor"), hidden until the user opens it.
    CFrameMonitor* FrameMonitor() const { return m_monitor; }

    // Runs the initial update of every panel once more (the renewed empty document).
    void RefreshPanels();

    // Shares this window on an MQTT broker (again, with new options); ShareOverMqtt({}) with
    // no broker host stops sharing.
    void ShareOverMqtt(const MqttOptions& options);
    CMqttShare* MqttShare() const;

  signals:
    void productChanged(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    CMainFrame(CStationSettings* settings, std::unique_ptr<CTransport> transport, QWidget* parent);
    void RetranslateUi();
    void ChooseLanguage(Language language);
    void ShowLinkPane(LinkState state);
    // The menus and toolbar, made from the command table; the window's own places filled.
    void CreateCommands();
    void FillMenuPlace(MenuPlace place, QMenu* menu);
    void ShowLinkState(LinkState state);
    void ShowDropped(quint64 total);
    // Tells the person here when their command found no open link.
    bool Told(CStation::SendResult result, CommandOrigin origin);
    void UpdateProductChecks();

    std::unique_ptr<CStationSettings> m_ownSettings;
    CStationSettings* m_settings;
    CStation m_station;
    CLinkManager& m_link; // the station's serial link
    int m_product = -1;
    CColorStatu* m_status = nullptr;
    CFrameMonitor* m_monitor = nullptr;
    QToolBar* m_toolbar = nullptr;
    CPanelStack* m_stack = nullptr;
    CSharingController* m_sharing = nullptr; // a child, deleted first
    CKorvaneDoc* m_doc = nullptr;
    QActionGroup* m_productActions = nullptr;
    QActionGroup* m_languageActions = nullptr;
    QList<QMenu*> m_productMenus;
    std::unique_ptr<CCommandTable> m_commands;
};

} // namespace Korvane
