#include "core/wifi_cars/jpeg_check.h"

#include <cstring>

namespace Korvane {

namespace {

int Word(const uchar* p) {
    return (int(p[0]) << 8) | p[1];
}

// Skips the entropy-coded data of a scan: returns the index of the 0xFF that starts the next
// marker (stuffed 0xFF 0x00 and restart markers belong to the data), or -1 when none follows.
qsizetype SkipScanData(const uchar* data, qsizetype size, qsizetype from) {
    while (from < size) {
        const void* hit = std::memchr(data + from, 0xFF, size_t(size - from));
        if (!hit)
            return -1;
        qsizetype at = static_cast<const uchar*>(hit) - data;
        qsizetype next = at + 1;
        while (next < size && data[next] == 0xFF) // fill bytes before a marker
            ++next;
        if (next >= size)
            return -1;
        const uchar code = data[next];
        if (code == 0x00 || (code >= 0xD0 && code <= 0xD7)) {
            from = next + 1;
            continue;
        }
        return next - 1;
    }
    return -1;
}

} // namespace

JpegFacts CheckJpeg(QByteArrayView bytes) {
    JpegFacts facts;
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype size = bytes.size();
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return facts;
    auto verdict = [&facts](JpegVerdict v) {
        facts.verdict = v;
        return facts;
    };
    bool frameSeen = false;
    qsizetype at = 2;
    for (;;) {
        if (at >= size || data[at] != 0xFF)
            return verdict(JpegVerdict::Malformed);
        while (at < size && data[at] == 0xFF)
            ++at;
        if (at >= size)
            return verdict(JpegVerdict::Malformed);
        const uchar marker = data[at++];
        if (marker == 0xD9) { // end of image: it ends the body, after at least one scan
            if (at != size || facts.scans == 0)
                return verdict(facts.scans == 0 ? JpegVerdict::Unsupported
                                                : JpegVerdict::Malformed);
            break;
        }
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 ||
            (marker >= 0xD0 && marker <= 0xD7))
            return verdict(JpegVerdict::Malformed);
        if (size - at < 2)
            return verdict(JpegVerdict::Malformed);
        const int length = Word(data + at);
        if (length < 2 || length > size - at)
            return verdict(JpegVerdict::Malformed);
        if (++facts.segments > JpegLimits::kMaxSegments)
            return verdict(JpegVerdict::TooManySegments);
        const uchar* segment = data + at + 2;
        const int payload = length - 2;
        const bool frameHeader =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            // Huffman-coded sequential (C0, C1) and progressive (C2) pictures of 8 bits only.
            if (frameSeen || marker > 0xC2)
                return verdict(JpegVerdict::Unsupported);
            if (payload < 6)
                return verdict(JpegVerdict::Malformed);
            frameSeen = true;
            facts.progressive = marker == 0xC2;
            facts.height = Word(segment + 1);
            facts.width = Word(segment + 3);
            facts.components = segment[5];
            if (segment[0] != 8)
                return verdict(JpegVerdict::Unsupported);
            if (facts.components < 1 || facts.components > 4 || payload != 6 + 3 * facts.components)
                return verdict(JpegVerdict::Malformed);
            if (facts.width < 1 || facts.height < 1 || facts.width > JpegLimits::kMaxSide ||
                facts.height > JpegLimits::kMaxSide ||
                (facts.progressive &&
                 qint64(facts.width) * facts.height > JpegLimits::kMaxProgressivePixels))
                return verdict(JpegVerdict::TooLarge);
        } else if (marker == 0xDE || marker == 0xDF) {
            return verdict(JpegVerdict::Unsupported); // hierarchical
        } else if (marker == 0xDA) {
            if (!frameSeen)
                return verdict(JpegVerdict::Unsupported);
            if (payload < 1 || payload != 4 + 2 * segment[0] || segment[0] < 1 || segment[0] > 4)
                return verdict(JpegVerdict::Malformed);
            ++facts.scans;
            const int scanLimit =
                facts.progressive ? JpegLimits::kMaxProgressiveScans : facts.components;
            if (facts.scans > scanLimit)
                return verdict(JpegVerdict::TooManyScans);
            const qsizetype next = SkipScanData(data, size, at + length);
            if (next < 0)
                return verdict(JpegVerdict::Malformed);
            at = next;
            continue;
        }
        at += length;
    }
    // Even a picture of noise at the highest quality takes less than two bytes per sample.
    const qint64 most = 64 * 1024 + 2 * qint64(facts.width) * facts.height * facts.components;
    if (size > most)
        return verdict(JpegVerdict::BodyTooLong);
    return verdict(JpegVerdict::Decodable);
}

int JpegScaleDenominator(const JpegFacts& facts) {
    int denominator = 1;
    while (denominator < 8 && (facts.width > JpegLimits::kDecodedSide * denominator ||
                               facts.height > JpegLimits::kDecodedSide * denominator))
        denominator *= 2;
    // The decoder reduces exactly only a size the reduction divides; another one it would scale
    // once more, at a cost as high as the decoding saved: the next reduction then serves.
    while (denominator > 1 && denominator < 8 &&
           (facts.width % denominator != 0 || facts.height % denominator != 0))
        denominator *= 2;
    return denominator;
}

} // namespace Korvane
