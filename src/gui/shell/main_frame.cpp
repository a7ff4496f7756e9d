#include "gui/shell/main_frame.h"

#include "core/settings/station_settings.h"

#include "gui/shell/frame_monitor.h"

#include "core/mqtt/broker_url.h"
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/keyring.h"
#include "gui/common/language.h"
#include "gui/common/message_seam.h"
#include "gui/panels/panel_base.h"
#include "gui/shell/about_dlg.h"
#include "gui/shell/classroom_view.h"
#include "gui/shell/color_status.h"
#include "gui/shell/config_dlg.h"
#include "gui/shell/korvane_doc.h"
#include "gui/shell/mqtt_dlg.h"
#include "gui/shell/mqtt_share.h"
#include "gui/shell/panel_stack.h"
#include "gui/shell/sharing_controller.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QSerialPortInfo>
#include <QStyle>
#include <QSysInfo>
#include <QToolBar>

// The pictures are compiled into this static library; make sure they are registered.
static void InitResources() {
    Q_INIT_RESOURCE(korvane);
}

namespace Korvane {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : CMainFrame(std::make_unique<CSerialPort>(), parent) {}

CMainFrame::CMainFrame(std::unique_ptr<CTransport> transport, QWidget* parent)
    : CMainFrame(nullptr, std::move(transport), parent) {}

CMainFrame::CMainFrame(CStationSettings& settings, std::unique_ptr<CTransport> transport,
                       QWidget* parent)
    : CMainFrame(&settings, std::move(transport), parent) {}

CMainFrame::CMainFrame(CStationSettings* settings, std::unique_ptr<CTransport> transport,
                       QWidget* parent)
    : QMainWindow(parent), m_ownSettings(settings ? nullptr : std::make_unique<CStationSettings>()),
      m_settings(settings ? settings : m_ownSettings.get()), m_station(std::move(transport)),
      m_link(m_station.SerialLink()) {
    InitResources();
    RegisterPanelFamilies();
    setObjectName(QStringLiteral("CMainFrame"));
    m_doc = new CKorvaneDoc(this);
    m_stack = new CPanelStack(this, this);
    setCentralWidget(m_stack);
    m_sharing = new CSharingController(this, *m_settings);

    m_monitor = new CFrameMonitor(this);
    m_monitor->Watch(&m_station);
    addDockWidget(Qt::BottomDockWidgetArea, m_monitor);
    m_monitor->hide();
    CreateCommands();
    m_status = new CColorStatu(this);
    setStatusBar(m_status);
    RetranslateUi();

    connect(&m_link, &CLinkManager::stateChanged, this, &CMainFrame::ShowLinkState);
    connect(&m_link, &CLinkManager::framesDropped, this, &CMainFrame::ShowDropped);
    connect(&m_link, &CLinkManager::framesDropped, m_monitor, &CFrameMonitor::SetStationDropped);
    // A port that opened is the one offered next time (found again by its serial number).
    connect(&m_link, &CLinkManager::openFinished, this, [this](bool ok) {
        if (!ok)
            return;
        QString serialNumber;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            if (info.portName() == m_link.PortName() || info.systemLocation() == m_link.PortName())
                serialNumber = info.serialNumber();
        m_settings->SetLastPort({m_link.PortName(), serialNumber, m_link.Baud()});
    });
}

void CMainFrame::RestoreLayout() {
    const bool placed = restoreGeometry(m_settings->WindowGeometry());
    restoreState(m_settings->WindowState());
    if (!placed)
        resize(900, 560);
}

CMainFrame::~CMainFrame() {
    delete m_sharing; // says goodbye on the broker while the window's link still exists
    m_sharing = nullptr;
    // The router and the serial worker end before the panels they would deliver to; the
    // panels go while the link they may still send to (a camera stop) exists.
    m_link.Shutdown();
    delete m_stack;
    m_stack = nullptr;
}

bool CMainFrame::SendFrame(const QByteArray& frame) {
    return SendCommand(frame, CommandOrigin::User);
}

bool CMainFrame::SendCommand(const QByteArray& frame, CommandOrigin origin) {
    return Told(m_station.Send(frame, origin), origin);
}

bool CMainFrame::PressKey(int qtKey, CommandOrigin origin) {
    return Told(m_station.PressKey(qtKey, origin), origin);
}

bool CMainFrame::Told(CStation::SendResult result, CommandOrigin origin) {
    // The person here is told; a remote caller is answered by the sharing instead.
    if (result == CStation::SendResult::NotOpen &&
        (origin == CommandOrigin::User || origin == CommandOrigin::ArmDialog))
        ShowMessage(tr("The serial port is not open or has been disconnected. Please reconnect!"));
    return result == CStation::SendResult::Sent;
}

void CMainFrame::CreateCommands() {
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolbar->setIconSize(QSize(16, 15));
    m_toolbar->setMovable(true);
    m_toolbar->setFloatable(true);
    m_toolbar->setAllowedAreas(Qt::AllToolBarAreas);
    m_commands = std::make_unique<CCommandTable>(
        this, menuBar(), m_toolbar,
        [this](MenuPlace place, QMenu* menu) { FillMenuPlace(place, menu); });
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    const CCommandTable& c = *m_commands;
    c.OnTriggered(CmdFileNew, [this](bool) { m_doc->OnNew(); });
    c.OnTriggered(CmdFileOpen, [this](bool) { m_doc->OnOpen(); });
    c.OnTriggered(CmdFileSave, [this](bool) { m_doc->OnSave(); });
    c.OnTriggered(CmdFileSaveAs, [this](bool) { m_doc->OnSaveAs(); });
    c.OnTriggered(CmdAppExit, [this](bool) { close(); });
    c.OnTriggered(CmdViewToolbar, [this](bool on) { m_toolbar->setVisible(on); });
    c.OnTriggered(CmdViewStatusBar, [this](bool on) { m_status->setVisible(on); });
    c.OnTriggered(CmdViewClassroom, [this](bool) { ShowClassroom(); });
    c.OnTriggered(CmdPortConfig, [this](bool) { ShowConfigDialog(); });
    c.OnTriggered(CmdShareMqtt, [this](bool) { ShowMqttDialog(); });
    c.OnTriggered(CmdAppAbout, [this](bool) { ShowAbout(); });
    c.OnTriggered(CmdOpenClose, [this](bool) { OnOpenClose(); });
}

void CMainFrame::FillMenuPlace(MenuPlace place, QMenu* menu) {
    switch (place) {
    case MenuPlace::RecentFiles: {
        // The recent files go before an anchor that shows nothing, above Exit.
        QAction* anchor = menu->addSeparator();
        anchor->setVisible(false);
        m_doc->BuildRecentMenu(menu, anchor);
        break;
    }
    case MenuPlace::FrameMonitor: {
        // The frame monitor: every frame sent and received, on every link.
        QAction* monitorAct = m_monitor->toggleViewAction();
        SetCommandId(monitorAct, CmdViewFrameMonitor);
        menu->addAction(monitorAct);
        break;
    }
    case MenuPlace::Languages: {
        // The language of captions and messages, applied at once and remembered.
        auto* languageGroup = new QActionGroup(this);
        for (Language l : {Language::Original, Language::English, Language::Chinese}) {
            QAction* a = menu->addAction(LanguageMenuText(l));
            a->setCheckable(true);
            a->setChecked(l == CurrentLanguage());
            a->setData(LanguageCode(l));
            a->setObjectName(QStringLiteral("language_") + LanguageCode(l));
            languageGroup->addAction(a);
            connect(a, &QAction::triggered, this, [this, l] { ChooseLanguage(l); });
        }
        m_languageActions = languageGroup;
        break;
    }
    case MenuPlace::Products: {
        m_productActions = new QActionGroup(this);
        m_productActions->setExclusive(true);
        int groupCount = 0;
        const char* const* groups = MenuGroups(&groupCount);
        for (int g = 0; g < groupCount; ++g) {
            QMenu* sub = menu->addMenu(QString());
            sub->menuAction()->setData(QString::fromLatin1(groups[g]));
            m_productMenus.append(sub);
            for (int i = 0; i < ProductCount(); ++i) {
                if (qstrcmp(Product(i).menuGroup, groups[g]) != 0)
                    continue;
                QAction* a = sub->addAction(QString());
                SetCommandId(a, Product(i).menuCommandId);
                a->setData(i);
                a->setCheckable(true);
                m_productActions->addAction(a);
                connect(a, &QAction::triggered, this, [this, i] { SelectProduct(i); });
            }
        }
        break;
    }
    case MenuPlace::None:
    case MenuPlace::Separator:
        break;
    }
}

void CMainFrame::RetranslateUi() {
    m_commands->Retranslate();
    if (QAction* openClose = FindCommand(this, CmdOpenClose))
        openClose->setToolTip(tr("打开或者关闭串口"));
    m_toolbar->setWindowTitle(tr("Standard"));
    for (QMenu* sub : std::as_const(m_productMenus))
        sub->setTitle(ProductText(sub->menuAction()->data().toString().toLatin1().constData()));
    for (QAction* a : m_productActions->actions())
        a->setText(ProductLabel(a->data().toInt()));
    for (QAction* a : m_languageActions->actions())
        if (auto l = LanguageFromCode(a->data().toString()))
            a->setText(LanguageMenuText(*l));
    ShowLinkPane(m_link.State());
    SetProductTitle(m_product);
}

void CMainFrame::ChooseLanguage(Language language) {
    if (!ApplyLanguage(language)) {
        ShowMessage(tr("The translation for %1 could not be found; the captions stay as they are.")
                        .arg(LanguageMenuText(language)),
                    this, MessageIcon::Warning);
        for (QAction* a : m_languageActions->actions())
            a->setChecked(a->data().toString() == LanguageCode(CurrentLanguage()));
        return;
    }
    m_settings->SetLanguage(LanguageCode(language));
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QMainWindow::changeEvent(event);
}

void CMainFrame::SelectProduct(int index) {
    if (!IsValidProduct(index))
        return;
    m_product = index;
    m_settings->SetLastProduct(index);
    m_station.SetProduct(index);
    SetProductTitle(index);
    UpdateProductChecks();
    CPanelBase* panel = CurrentPanel();
    if (!panel || panel->DialogId() != Product(index).panelId)
        panel = SwitchPanel(Product(index).panelId);
    // Also when the same panel serves on: it may depend on which of its products this is.
    panel->SetProduct(index);
    emit productChanged(index);
}

void CMainFrame::ShareOverMqtt(const MqttOptions& options) {
    m_sharing->Share(options);
}

CMqttShare* CMainFrame::MqttShare() const {
    return m_sharing->Current();
}

CClassroomView* CMainFrame::Classroom() const {
    return m_sharing->Classroom();
}

void CMainFrame::ShowMqttDialog() {
    m_sharing->ShowDialog();
}

void CMainFrame::ShowClassroom() {
    m_sharing->ShowClassroom();
}

void CMainFrame::ApplyMqttChoice(const CStationSettings::MqttChoice& choice,
                                 const QString& password) {
    m_sharing->Apply(choice, password);
}

CPanelBase* CMainFrame::PanelForDialog(int dialogId) const {
    return m_stack->PanelFor(dialogId);
}

CPanelBase* CMainFrame::SwitchPanel(int dialogId) {
    return m_stack->Show(dialogId);
}

CPanelBase* CMainFrame::CurrentPanel() const {
    return m_stack->Current();
}

void CMainFrame::SetProductTitle(int index) {
    setWindowTitle(WindowTitle(index));
}

void CMainFrame::UpdateProductChecks() {
    const int index = m_product;
    for (QAction* a : m_productActions->actions())
        a->setChecked(IsValidProduct(index) &&
                      a->property("cmdId").toInt() == Product(index).menuCommandId);
}

void CMainFrame::OpenLink(const QString& portName, int baud) {
    m_link.OpenLink(portName, baud);
}

void CMainFrame::CloseLink() {
    m_link.CloseLink();
}

void CMainFrame::OnOpenClose() {
    // Before the first successful open there is nothing to reopen: ask for a port instead.
    if (!m_link.ToggleLink())
        ShowConfigDialog();
}

std::unique_ptr<CConfigDlg> CMainFrame::MakeConfigDialog() {
    auto dlg = std::make_unique<CConfigDlg>(this, &SystemPorts, m_settings->LastPort());
    connect(dlg.get(), &CConfigDlg::openRequested, this,
            [this](const PortSettings& settings) { OpenLink(settings.portName, settings.baud); });
    connect(dlg.get(), &CConfigDlg::closeRequested, this, &CMainFrame::CloseLink);
    connect(&m_link, &CLinkManager::openFinished, dlg.get(), &CConfigDlg::OnOpenFinished);
    return dlg;
}

void CMainFrame::ShowConfigDialog() {
    // Opened without a nested event loop; it deletes itself when closed.
    CConfigDlg* dlg = MakeConfigDialog().release();
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->open();
}

void CMainFrame::ShowAbout() {
    auto* dlg = new CAboutDlg(this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->open();
}

void CMainFrame::RefreshPanels() {
    for (CPanelBase* panel : m_stack->Panels())
        panel->OnInitialUpdate();
}

void CMainFrame::ShowLinkState(LinkState state) {
    switch (state) {
    case LinkState::Open:
        m_status->SetColorPane(1, m_link.PortName(), kWhite);
        m_status->SetColorPane(2, QString::number(m_link.Baud()), kWhite);
        break;
    case LinkState::Failed:
        for (CPanelBase* panel : m_stack->Panels())
            panel->OnLinkLost();
        break;
    case LinkState::Closed:
    case LinkState::Opening:
        break;
    }
    ShowLinkPane(state);
}

void CMainFrame::ShowLinkPane(LinkState state) {
    switch (state) {
    case LinkState::Open:
        m_status->SetColorPane(3, tr("Nomal"), kGreen);
        break;
    case LinkState::Failed:
        m_status->SetColorPane(3, tr("Fail"), kRed);
        break;
    case LinkState::Closed:
        m_status->SetColorPane(3, tr("CLOSE"), kRed);
        break;
    case LinkState::Opening:
        // A Bluetooth port can take seconds to connect; the window goes on meanwhile.
        m_status->SetColorPane(3, tr("Opening"), kYellow);
        break;
    }
}

void CMainFrame::ShowStatusText(const QString& text) {
    if (text.isEmpty())
        m_status->clearMessage();
    else
        m_status->showMessage(text);
}

void CMainFrame::ShowDropped(quint64 total) {
    m_status->SetDroppedFrames(total);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    m_settings->SetWindow(saveGeometry(), saveState());
    m_link.Shutdown();
    QMainWindow::closeEvent(event);
}

} // namespace Korvane
