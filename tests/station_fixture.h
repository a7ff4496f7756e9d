#pragma once
// The station's main window with its serial link open on a fresh pseudo-terminal, for tests
// that drive a panel as a user would and play the device on the other end.

#include "app/main_frame.h"
#include "link_wait.h"
#include "pty_pair.h"

#include <QTest>

#include <memory>

struct StationOnPty {
    // Declared in this order so that the window (and its port) goes before the terminal.
    std::unique_ptr<PtyPair> pty = std::make_unique<PtyPair>();
    std::unique_ptr<Korvane::CMainFrame> frame = std::make_unique<Korvane::CMainFrame>();

    // Shows the window with the given product (or none) and opens the link; false on failure.
    bool Start(int product = -1, QSize size = {}) {
        if (size.isValid())
            frame->resize(size);
        if (product >= 0)
            frame->SelectProduct(product);
        frame->show();
        return QTest::qWaitForWindowExposed(frame.get()) &&
               OpenNow(frame->Link(), pty->SlavePath(), 115200);
    }
};
