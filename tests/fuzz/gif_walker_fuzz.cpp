// libFuzzer target: the GIF block walker on arbitrary bytes. It must never read past the end,
// loop forever or allocate without bound; frames it reports must lie inside the data.
#include "core/display/gif_walker.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const QByteArray data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), qsizetype(size));
    const Korvane::GifInfo info = Korvane::WalkGif(data);
    for (const Korvane::GifFrameBlock& frame : info.frames) {
        if (frame.begin < info.headerSize || frame.begin >= frame.end || frame.end > data.size())
            std::abort();
        const QByteArray one = Korvane::StandaloneGifFrame(data, info, frame);
        if (one.size() != info.headerSize + (frame.end - frame.begin) + 1)
            std::abort();
        (void)Korvane::FrameDelayMs(frame);
    }
    return 0;
}
