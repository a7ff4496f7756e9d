#pragma once

#include "core/link/frame_receive.h"
#include "core/link/frames.h"
#include "core/link/link_channel.h"
#include "core/panels/family.h"
#include "core/station/station.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace Korvane {

class CLamp;
class CPanelModel;
class CStation;
class CStationSettings;

// What a panel uses of the window that shows it. Each panel is given its own window's host,
// so a second main window (tests make one) never takes the frames or the link of the first.
class CPanelHost {
  public:
    virtual ~CPanelHost() = default;
    // The window's one door for commands: one complete frame, with who asked for it, over the
    // link the window's product is reached by. When no link is open, tells the user so (for
    // the user's own commands) and returns false.
    virtual bool SendCommand(const QByteArray& frame, CommandOrigin origin) = 0;
    // A driving key: the window's product's key table and its repeat rule decide the frame.
    virtual bool PressKey(int qtKey, CommandOrigin origin) = 0;
    // The user's frame (a click, a key).
    virtual bool SendFrame(const QByteArray& frame) {
        return SendCommand(frame, CommandOrigin::User);
    }
    // A line of text in the window's status bar (empty: the usual text again).
    virtual void ShowStatusText(const QString& text) { Q_UNUSED(text); }
    // The window's station: its links, its product, its frames.
    virtual CStation& Station() = 0;
    // What the station remembers between starts (the application's one settings object).
    virtual CStationSettings& Settings() = 0;
};

// Base of every product panel. Each panel class has one dialog id; its window keeps at most
// one instance of it.
class CPanelBase : public QWidget {
    Q_OBJECT
  public:
    CPanelBase(int dialogId, CPanelHost* host, QWidget* parent);
    ~CPanelBase() override;

    int DialogId() const { return m_dialogId; }

    // A frame for this panel's family, read by the window's station into the model and this
    // record (serial frames from the router, and TCP frames of a car's control connection
    // alike). The controls show what it changed at the batch's end.
    virtual void OnFrameRead(const FrameRecord& record) { Q_UNUSED(record); }
    // The frames read so far have all been given (the model has told its fields): what the
    // panel does once per batch rather than per frame. Runs only after a batch that brought
    // this panel records.
    virtual void OnRoutedBatchDone() {}
    // Runs when the panel is first created and again when the empty document is renewed.
    virtual void OnInitialUpdate() {}
    // The selected product changed to index, also when this panel serves on (10 to 13 keep
    // the 4WD panel but change its send route). Runs once after creation as well.
    void SetProduct(int index);
    // The product this panel serves now (-1 before the first selection).
    int CurrentProduct() const { return m_product; }
    // The headless demo: shows what the panel does, as a user would, without a user.
    virtual void StartDemo() {}
    // The window's serial link went away (unplugged, or an open failed).
    virtual void OnLinkLost() {}
    // Another panel takes this one's place in the window: what the panel still meant to send
    // on its own (paced lines) is dropped, so that it never reaches another product's device.
    virtual void OnLeave() {}

  protected:
    // A language change: the panel shows its captions again (RetranslateUi), then every bound
    // control its field, since a form's captions come back with their design-time texts.
    void changeEvent(QEvent* event) override;
    // Shows the panel's captions in the language in use: its form's, and those it sets itself
    // (accessible names, captions that follow a state). Panels call it once when built too.
    virtual void RetranslateUi() {}
    // Every bound control shows its field again.
    void RefreshViews();

    // Told by SetProduct; panels whose behaviour depends on the product override it.
    virtual void OnProductChanged(int index) { Q_UNUSED(index); }
    // Sends through the window that shows this panel.
    bool SendFrame(const QByteArray& frame);
    // The user pressed a driving key.
    bool PressKey(int qtKey) { return m_host->PressKey(qtKey, CommandOrigin::User); }
    CPanelHost* Host() const { return m_host; }

    // The panel's state: its family's model, which the window's station owns and frames change
    // in batches.
    void SetModel(CPanelModel* model);
    // The window's station's model of this panel's family.
    template <class M> M& StationModel() { return m_host->Station().ModelOf<M>(m_dialogId); }

    // Bindings of controls to the model's fields. Each shows its field now and whenever it
    // changes; an input also writes what the user types or chooses into its field.
    void BindInput(QLineEdit* edit, int field);
    void BindOutput(QLineEdit* edit, int field);
    void BindOutput(QLabel* label, int field);
    void BindLamp(CLamp* lamp, int field);
    void BindChoice(QButtonGroup* group, int field);
    // Runs show now and whenever the field changes.
    void OnField(int field, std::function<void()> show);

    // Writes a control only when its text changes: setText moves the caret and clears the
    // selection and undo history even for the same text, and a label would be announced again.
    static void Put(QLineEdit* edit, const QString& text);
    static void Put(QLabel* label, const QString& text);

  private:
    int m_dialogId;
    CPanelHost* m_host;
    int m_product = -1;
    CPanelModel* m_model = nullptr;
    bool m_gotRecords = false;                        // records came since the last batch's end
    QHash<int, QList<std::function<void()>>> m_views; // what shows each field
};

// Shows the logo (bitmap 357) in a picture control sized 200 by 30 pixels.
void ShowLogo(QLabel* picture);

// A panel family: one panel class, the dialog id it is known by, and how to make it.
using PanelFactory = std::function<CPanelBase*(CPanelHost* host, QWidget* parent)>;
struct PanelFamily {
    int dialogId;
    PanelFactory create;
};

// Called by each family's registration function (see RegisterPanelFamilies).
void RegisterPanelFamily(PanelFamily family);
// Registers every family once; the list of families is in panels/families.cpp.
void RegisterPanelFamilies();
const PanelFamily* FindPanelFamily(int dialogId);

// Creates the panel class of a dialog id (null for an id no family registered).
CPanelBase* CreatePanel(int dialogId, CPanelHost* host, QWidget* parent);

} // namespace Korvane
