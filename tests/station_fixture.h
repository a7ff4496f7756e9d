#pragma once
// The station's main window with its serial link open on a fresh pseudo-terminal, for tests
// that drive a panel as a user would and play the device on the other end.

#include "gui/common/control_ids.h"
#include "gui/shell/main_frame.h"
#include "gui/widgets/lamp.h"
#include "link_wait.h"
#include "pty_pair.h"
#include <QSettings>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <memory>

struct StationOnPty {
    // Declared in this order so that the window (and its port) goes before the terminal.
    std::unique_ptr<PtyPair> pty = std::make_unique<PtyPair>();
    std::unique_ptr<Korvane::CMainFrame> frame = std::make_unique<Korvane::CMainFrame>();

    // Shows the window with the given product (or none) and opens the link; false on failure.
    bool Start(int product = -1, QSize size = {}) {
        QSettings().clear(); // each station of a test starts as a first start would
        if (size.isValid())
            frame->resize(size);
        if (product >= 0)
            frame->SelectProduct(product);
        frame->show();
        return QTest::qWaitForWindowExposed(frame.get()) &&
               OpenNow(frame->Link(), pty->SlavePath(), 115200);
    }
};

#ifdef KORVANE_SIM_PATH
#include "sim_process.h"

// The station with its link open on the simulated device of a product (korvane-sim, a
// separate process); for tests built with KORVANE_SIM_PATH.
struct StationOnSim {
    SimProcess sim;
    Korvane::CMainFrame frame;
    Korvane::CPanelBase* panel = nullptr;

    bool Start(int product, const QStringList& simOptions) {
        QSettings().clear(); // each station of a test starts as a first start would
        if (!sim.Start(product, simOptions))
            return false;
        frame.SelectProduct(product);
        frame.resize(1300, 800);
        frame.show();
        if (!OpenNow(frame.Link(), sim.Port(), 115200))
            return false;
        panel = frame.CurrentPanel();
        return true;
    }
    template <class T = QWidget> T* Get(int id) {
        return qobject_cast<T*>(Korvane::FindControl(panel, id));
    }
    QAbstractButton* Button(int id) { return Get<QAbstractButton>(id); }
    QLineEdit* Edit(int id) { return Get<QLineEdit>(id); }
    bool Lit(int id) { return Get<Korvane::CLamp>(id)->IsOn(); }
};
#endif
