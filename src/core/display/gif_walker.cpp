#include "core/display/gif_walker.h"

namespace Korvane {

namespace {

quint8 Byte(const QByteArray& d, qsizetype at) {
    return static_cast<quint8>(d[at]);
}
int Word(const QByteArray& d, qsizetype at) {
    return Byte(d, at) | (Byte(d, at + 1) << 8);
}

// Skips length-prefixed sub-blocks starting at `at`; returns the offset after the zero
// terminator, or -1 when they run past the end.
qsizetype SkipSubBlocks(const QByteArray& d, qsizetype at) {
    while (at < d.size()) {
        const int len = Byte(d, at);
        ++at;
        if (len == 0)
            return at;
        at += len;
    }
    return -1;
}

} // namespace

GifInfo WalkGif(const QByteArray& d) {
    GifInfo info;
    if (!d.startsWith("GIF"))
        return info;
    info.isGif = true;
    if (d.size() < 13)
        return info;
    info.width = Word(d, 6);
    info.height = Word(d, 8);
    const quint8 flags = Byte(d, 10);
    info.colourTableSize = (flags & 0x80) ? 3 * (1 << ((flags & 0x07) + 1)) : 0;
    info.headerSize = 13 + info.colourTableSize;

    qsizetype at = info.headerSize;
    bool pendingControl = false;
    GifFrameBlock frame;
    // Every step moves `at` forward by at least one byte, so the walk always ends.
    while (at < d.size()) {
        const quint8 kind = Byte(d, at);
        if (kind == ';')
            break;
        if (kind == '!') {
            if (at + 1 >= d.size())
                break;
            const quint8 label = Byte(d, at + 1);
            if (label == 0xF9) { // graphic control extension, 8 bytes
                if (at + 8 > d.size())
                    break;
                frame = GifFrameBlock();
                frame.begin = at;
                frame.hasControl = true;
                frame.disposal = (Byte(d, at + 3) >> 2) & 0x07;
                frame.delay = quint16(Word(d, at + 4));
                pendingControl = true;
                at += 8;
                continue;
            }
            qsizetype fixed = 0;
            if (label == 0xFF)
                fixed = 14;
            else if (label == 0xFE)
                fixed = 2;
            else if (label == 0x01)
                fixed = 15;
            else
                break; // unrecognised extension
            if (at + fixed > d.size())
                break;
            const qsizetype next = SkipSubBlocks(d, at + fixed);
            if (next < 0)
                break;
            if (label == 0x01) { // plain text extension: a graphic block of its own
                if (!pendingControl) {
                    frame = GifFrameBlock();
                    frame.begin = at;
                }
                frame.end = next;
                info.frames.push_back(frame);
                pendingControl = false;
            }
            at = next;
            continue;
        }
        if (kind == ',') { // image descriptor, 10 bytes, then table, LZW size, sub-blocks
            if (at + 11 > d.size())
                break;
            if (!pendingControl) {
                frame = GifFrameBlock();
                frame.begin = at;
            }
            frame.left = Word(d, at + 1);
            frame.top = Word(d, at + 3);
            frame.width = Word(d, at + 5);
            frame.height = Word(d, at + 7);
            const quint8 imageFlags = Byte(d, at + 9);
            const qsizetype localTable =
                (imageFlags & 0x80) ? 3 * (1 << ((imageFlags & 0x07) + 1)) : 0;
            const qsizetype data = at + 11 + localTable; // after the LZW minimum code size
            if (data > d.size())
                break;
            const qsizetype next = SkipSubBlocks(d, data);
            if (next < 0)
                break;
            frame.end = next;
            info.frames.push_back(frame);
            pendingControl = false;
            at = next;
            continue;
        }
        break; // unrecognised block
    }
    return info;
}

QByteArray StandaloneGifFrame(const QByteArray& data, const GifInfo& info,
                              const GifFrameBlock& frame) {
    QByteArray gif;
    gif.reserve(info.headerSize + (frame.end - frame.begin) + 1);
    gif.append(data.constData(), info.headerSize);
    gif.append(data.constData() + frame.begin, frame.end - frame.begin);
    gif.append(';');
    return gif;
}

int FrameDelayMs(const GifFrameBlock& frame) {
    if (!frame.hasControl || frame.delay < 5)
        return 100;
    return 10 * frame.delay;
}

} // namespace Korvane
