#pragma once

namespace Korvane {

// Lets the C library keep the memory of decoded camera pictures for the next ones. A decoded
// 640 by 480 picture takes 1.2 MB; by default glibc maps such a block afresh for each picture
// and gives it back when it is freed (or trims a decoder thread's heap after it), so every
// picture paid for zero-filled pages again: at the video's ceiling that cost as much as
// decoding. Blocks up to 16 MiB now come from the heap, which keeps up to 64 MiB of free space
// before it is trimmed. Called once at program start; nothing elsewhere than glibc.
void KeepPictureMemory();

} // namespace Korvane
