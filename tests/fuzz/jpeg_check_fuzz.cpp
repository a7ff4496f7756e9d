// libFuzzer target: any body through the walk over a JPEG's markers. Whatever arrives, the walk
// ends without reading out of bounds, and what it lets through is within the bounds it promises.
#include "core/wifi_cars/jpeg_check.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace Korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const QByteArrayView body(reinterpret_cast<const char*>(bytes), qsizetype(size));
    const JpegFacts facts = CheckJpeg(body);
    if (facts.verdict != JpegVerdict::Decodable)
        return 0;
    const int scanLimit = facts.progressive ? JpegLimits::kMaxProgressiveScans : facts.components;
    if (facts.width < 1 || facts.height < 1 || facts.width > JpegLimits::kMaxSide ||
        facts.height > JpegLimits::kMaxSide || facts.scans < 1 || facts.scans > scanLimit ||
        facts.segments > JpegLimits::kMaxSegments || facts.components < 1 || facts.components > 4 ||
        (facts.progressive &&
         qint64(facts.width) * facts.height > JpegLimits::kMaxProgressivePixels))
        std::abort();
    const int scale = JpegScaleDenominator(facts);
    if (scale != 1 && scale != 2 && scale != 4 && scale != 8)
        std::abort();
    // A body the walk accepts ends with its end marker: one byte more is refused.
    QByteArray longer = body.toByteArray();
    longer += '\0';
    if (CheckJpeg(longer).verdict == JpegVerdict::Decodable)
        std::abort();
    return 0;
}
