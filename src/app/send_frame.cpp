#include "send_frame.h"

#include "../link/frames.h"
#include "main_frame.h"
#include "message_seam.h"

namespace Korvane {

bool SendFrame(const QByteArray& frame) {
    CMainFrame* frameWindow = CMainFrame::Instance();
    if (!frameWindow || !frameWindow->Link().IsOpen()) {
        ShowMessage(QStringLiteral(
            "The serial port is not open or has been disconnected. Please reconnect!"));
        return false;
    }
    return frameWindow->Link().Send(frame);
}

} // namespace Korvane
