#include "send_frame.h"

#include "main_frame.h"
#include "message_seam.h"

namespace Korvane {

bool SendFrame(const QByteArray& frame) {
    if (CMainFrame* frameWindow = CMainFrame::Instance())
        return frameWindow->SendFrame(frame);
    ShowMessage(
        QStringLiteral("The serial port is not open or has been disconnected. Please reconnect!"));
    return false;
}

} // namespace Korvane
