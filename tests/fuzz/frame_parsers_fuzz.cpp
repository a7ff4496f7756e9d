// libFuzzer target: bytes from a device, through the frame assembler and into every parser of
// the cars' frames. Whatever arrives, frames stay within 81 characters and start and end with
// their delimiters, and parsing gives finite numbers (or gaps) and never reads out of bounds.
#include "core/link/frame_receive.h"
#include "core/link/frames.h"
#include "core/link/numbers.h"
#include "core/serial_cars/balance_model.h"
#include "core/wifi_cars/wifi_car_model.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(size));
    Korvane::CFrameAssembler assembler;
    // Cut in two at a place the input chooses: reassembly must not depend on the cut.
    const qsizetype cut = size ? bytes[0] % (data.size() + 1) : 0;
    auto check = [](const QByteArray& frame) {
        if (frame.size() > Korvane::kMaxIncomingFrame || !frame.startsWith('$') ||
            !frame.endsWith('#'))
            std::abort();
        (void)Korvane::DistanceFromFrame(frame);
        (void)Korvane::ParsePidReply(frame);
        Korvane::CBalanceTelemetry telemetry;
        telemetry.Parse(frame);
        // A sample is a finite number, or a gap (NaN) where the frame did not carry the value.
        if (std::isinf(telemetry.gyroscopeHistory.back()) ||
            std::isinf(telemetry.voltageHistory.back()))
            std::abort();
        for (Korvane::WifiCar car : {Korvane::WifiCar::FourWd, Korvane::WifiCar::Pendrix}) {
            const Korvane::SensorUpdate u = Korvane::ParseSensors(car, frame);
            if (u.battery && (!std::isfinite(u.battery->volts) || u.battery->BarValue() < 0 ||
                              u.battery->BarValue() > 100 || u.battery->text.size() > 80))
                std::abort();
        }
        (void)Korvane::SaturatingInt(frame);
    };
    assembler.FeedChunk(data.left(cut), check);
    assembler.FeedChunk(data.mid(cut), check);
    return 0;
}
