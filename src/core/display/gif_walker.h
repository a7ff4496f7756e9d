#pragma once

#include <QByteArray>

#include <vector>

namespace Korvane {

// One graphic block of a GIF: an optional graphic control extension and an image (or a plain
// text extension), as byte offsets into the file.
struct GifFrameBlock {
    qsizetype begin = 0; // the graphic control extension if any, else the image descriptor
    qsizetype end = 0;   // one past the last byte of the image data
    bool hasControl = false;
    quint16 delay = 0;   // hundredths of a second, from the graphic control extension
    quint8 disposal = 0; // 0 to 7, from the graphic control extension
    int left = 0, top = 0, width = 0, height = 0; // from the image descriptor
};

struct GifInfo {
    bool isGif = false;
    int width = 0, height = 0; // logical screen
    int colourTableSize = 0;   // bytes of the global colour table
    qsizetype headerSize = 0;  // 13 + colour table: where the blocks begin
    std::vector<GifFrameBlock> frames;
};

// Walks the blocks of a GIF. Never reads past the end of the data: walking stops at the
// trailer, at an unrecognised block, or where a block would run past the end.
GifInfo WalkGif(const QByteArray& data);

// A stand-alone GIF of one frame: the file's header and colour table, the frame's blocks and
// the trailer ";".
QByteArray StandaloneGifFrame(const QByteArray& data, const GifInfo& info,
                              const GifFrameBlock& frame);

// How long a frame stays: 10 x delay ms for 5 or more hundredths, else (or without a graphic
// control extension) 100 ms.
int FrameDelayMs(const GifFrameBlock& frame);

} // namespace Korvane
