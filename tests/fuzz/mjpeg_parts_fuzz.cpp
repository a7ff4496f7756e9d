// libFuzzer target: an MJPEG stream's bytes, cut into pieces of a size the input chooses, through
// the part splitter with a small cap. Whatever arrives, no picture is above the cap, what is held
// stays bounded, a refused stream takes nothing more, and the pieces never change the pictures.
#include "core/wifi_cars/mjpeg_parts.h"

#include <cstdint>
#include <cstdlib>

using Korvane::CMjpegSplitter;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 2)
        return 0;
    constexpr qint64 kCap = 2048;
    const int piece = 1 + bytes[0] % 64;
    const QByteArray boundary = bytes[1] % 2 ? QByteArray("frame") : QByteArray();
    const QByteArrayView stream(reinterpret_cast<const char*>(bytes + 2), qsizetype(size - 2));

    CMjpegSplitter whole(kCap);
    whole.Reset(boundary);
    QList<QByteArray> atOnce;
    whole.Feed(stream, atOnce);

    CMjpegSplitter pieces(kCap);
    pieces.Reset(boundary);
    QList<QByteArray> inPieces;
    for (qsizetype at = 0; at < stream.size(); at += piece) {
        const qsizetype before = inPieces.size();
        const bool refused = pieces.State() != CMjpegSplitter::Status::Ok;
        pieces.Feed(stream.sliced(at, std::min<qsizetype>(piece, stream.size() - at)), inPieces);
        if (refused && inPieces.size() != before)
            std::abort();
        // A picture, its headers, the first bytes of the boundary after it, the last piece.
        if (pieces.Buffered() > kCap + CMjpegSplitter::kMaxHeaders + 4 + 80 + piece)
            std::abort();
    }
    for (const QByteArray& picture : atOnce)
        if (picture.isEmpty() || picture.size() > kCap)
            std::abort();
    if (inPieces != atOnce || pieces.State() != whole.State())
        std::abort();
    return 0;
}
