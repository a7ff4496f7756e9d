#pragma once

#include <QByteArrayView>

namespace Korvane {

// What a walk over a JPEG's markers found, before any decoding.
enum class JpegVerdict {
    Decodable,       // a picture a camera would send: decode it
    NotJpeg,         // no start-of-image marker
    Malformed,       // a segment runs past the end, a marker is out of place, no end marker
    Unsupported,     // lossless, arithmetic-coded, hierarchical, 12-bit, or no frame header
    TooLarge,        // the declared size is above the bound, or zero
    TooManyScans,    // more scans than such a picture needs
    TooManySegments, // more marker segments than any camera writes
    BodyTooLong,     // more bytes than the declared picture could take
};

struct JpegFacts {
    JpegVerdict verdict = JpegVerdict::NotJpeg;
    int width = 0;
    int height = 0;
    int components = 0;
    int scans = 0;
    int segments = 0;
    bool progressive = false;
};

// Bounds on what is decoded. A camera sends baseline pictures of one scan (one per colour
// component at most) at the size it films; a progressive picture costs a pass over the whole
// picture per scan, so it is taken only small and with the scans an encoder writes. Within these
// bounds any body up to the fetch cap decodes in well under a fifth of a second on a small PC.
struct JpegLimits {
    static constexpr int kMaxSide = 4096;
    static constexpr qint64 kMaxProgressivePixels = 2'100'000; // 1920 by 1088
    static constexpr int kMaxProgressiveScans = 12;
    static constexpr int kMaxSegments = 256;
    static constexpr int kDecodedSide = 2048; // larger pictures are decoded at a reduced scale
};

// Walks the markers of a whole JPEG held in memory (from the start-of-image to the end-of-image
// marker, which must be its last two bytes) without decoding it, in time linear in its size.
JpegFacts CheckJpeg(QByteArrayView bytes);

// The reduction (1, 2, 4 or 8) at which a checked picture is decoded so that neither side is
// above JpegLimits::kDecodedSide (and the reduction divides both sides, where one up to 8 does):
// the decoder then skips most of its work.
int JpegScaleDenominator(const JpegFacts& facts);

} // namespace Korvane
