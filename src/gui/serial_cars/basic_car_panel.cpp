#include "gui/serial_cars/basic_car_panel.h"

#include "core/products/catalogue.h"
#include "gui/panels/key_pre_filter.h"
#include "ui_arduino_car_form_view.h"
#include "ui_korvane_view.h"
#include "ui_vantrel_car_form_view.h"

#include <QKeyEvent>
#include <QMainWindow>
#include <QTimer>

namespace Korvane {

CBasicCarPanel::CBasicCarPanel(int dialogId, CPanelHost* host, QWidget* parent)
    : CPanelBase(dialogId, host, parent), m_model(StationModel<CBasicCarModel>()) {
    setFocusPolicy(Qt::StrongFocus);
}

void CBasicCarPanel::BindControls(QLabel* distanceLabel, QLabel* logo) {
    // Device text, shown as it is: never read as markup.
    distanceLabel->setTextFormat(Qt::PlainText);
    SetModel(&m_model);
    BindOutput(distanceLabel, BasicCarField::Distance);
    m_logo = logo;
    // Installed after the form exists so that every child control passes keys to the panel.
    new CKeyPreFilter(this, [this](QKeyEvent* e) { OnKeyDown(e->key()); });
}

void CBasicCarPanel::BindButton(QAbstractButton* button, CarAction action) {
    connect(button, &QAbstractButton::clicked, this,
            [this, action] { SendFrame(CarButtonFrame(action)); });
}

void CBasicCarPanel::OnKeyDown(int key) {
    PressKey(key);
}

void CBasicCarPanel::StartDemo() {
    // A few driving keys with pauses between them, as a user would press them.
    const int keys[] = {Qt::Key_W, Qt::Key_A, Qt::Key_D, Qt::Key_S, Qt::Key_Space};
    int at = 0;
    for (int key : keys) {
        QTimer::singleShot(at, this, [this, key] { PressKey(key); });
        at += 400;
    }
}

void CBasicCarPanel::OnInitialUpdate() {
    if (m_logo)
        ShowLogo(m_logo);
}

// The buttons every basic car form has, under the same names.
template <typename Form> void CBasicCarPanel::BindCommonButtons(Form* ui) {
    BindButton(ui->forwardButton, CarAction::Forward);
    BindButton(ui->backButton, CarAction::Back);
    BindButton(ui->leftButton, CarAction::Left);
    BindButton(ui->rightButton, CarAction::Right);
    BindButton(ui->stopButton, CarAction::Stop);
    BindButton(ui->spinLeftButton, CarAction::SpinLeft);
    BindButton(ui->spinRightButton, CarAction::SpinRight);
    BindButton(ui->hornButton, CarAction::Horn);
    BindButton(ui->speedUpButton, CarAction::SpeedUp);
    BindButton(ui->slowDownButton, CarAction::SlowDown);
    BindControls(ui->distanceLabel, ui->logoPicture);
}

CArduinoCarFormView::CArduinoCarFormView(CPanelHost* host, QWidget* parent)
    : CBasicCarPanel(PanelBirchCar, host, parent), m_ui(new Ui::CArduinoCarFormView) {
    m_ui->setupUi(this);
    BindButton(m_ui->secondRowLeftButton, CarAction::SecondRowLeft);
    BindButton(m_ui->secondRowCentreButton, CarAction::SecondRowCentre);
    BindButton(m_ui->secondRowRightButton, CarAction::SecondRowRight);
    BindButton(m_ui->ledButton, CarAction::Led);
    BindButton(m_ui->fireOutButton, CarAction::FireOut);
    BindButton(m_ui->singButton, CarAction::Sing);
    BindCommonButtons(m_ui.get());
    ShowOwnTexts();
}

CArduinoCarFormView::~CArduinoCarFormView() = default;

void CArduinoCarFormView::ShowOwnTexts() {
    // Two buttons each read "左" and "右": say which is which.
    m_ui->leftButton->setAccessibleDescription(tr("Drive: turn left"));
    m_ui->rightButton->setAccessibleDescription(tr("Drive: turn right"));
    m_ui->secondRowLeftButton->setAccessibleDescription(tr("Second row: left"));
    m_ui->secondRowRightButton->setAccessibleDescription(tr("Second row: right"));
}

void CArduinoCarFormView::RetranslateUi() {
    m_ui->retranslateUi(this);
    ShowOwnTexts();
}

CVantrelCarFormView::CVantrelCarFormView(CPanelHost* host, QWidget* parent)
    : CBasicCarPanel(PanelVantrelCar, host, parent), m_ui(new Ui::CVantrelCarFormView) {
    m_ui->setupUi(this);
    BindCommonButtons(m_ui.get());
}

CVantrelCarFormView::~CVantrelCarFormView() = default;

void CVantrelCarFormView::RetranslateUi() {
    m_ui->retranslateUi(this);
}

CKorvaneView::CKorvaneView(CPanelHost* host, QWidget* parent)
    : CBasicCarPanel(PanelAlderCar, host, parent), m_ui(new Ui::CKorvaneView) {
    m_ui->setupUi(this);
    BindButton(m_ui->ledButton, CarAction::Led);
    BindButton(m_ui->fireOutButton, CarAction::FireOut);
    BindCommonButtons(m_ui.get());
}

CKorvaneView::~CKorvaneView() = default;

void CKorvaneView::RetranslateUi() {
    m_ui->retranslateUi(this);
}

void CKorvaneView::OnInitialUpdate() {
    CBasicCarPanel::OnInitialUpdate();
    // Fit the main window to this panel: shrink it, never grow it.
    QTimer::singleShot(0, this, [this] {
        QMainWindow* frame = qobject_cast<QMainWindow*>(window());
        if (!frame)
            return;
        frame->layout()->activate();
        const QSize want = frame->sizeHint();
        const QSize now = frame->size();
        frame->resize(std::min(now.width(), want.width()), std::min(now.height(), want.height()));
    });
}

} // namespace Korvane
