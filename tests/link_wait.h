#pragma once
// Opening a link is asynchronous; tests that only need an open link start it and keep the
// event loop running until it answers.

#include "core/link/link_manager.h"

#include <QSignalSpy>

// True when the link opened within the time.
inline bool OpenNow(Korvane::CLinkManager& link, const QString& port, int baud,
                    int timeoutMs = 5000) {
    QSignalSpy done(&link, &Korvane::CLinkManager::openFinished);
    link.OpenLink(port, baud);
    return done.wait(timeoutMs) && done.first().first().toBool();
}
