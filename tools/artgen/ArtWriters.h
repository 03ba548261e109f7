// Picture writers: PNG with alpha, opaque JPEG, GIF with the magenta colour key (single-image
// strip or one image per frame), horizontal frame strips and "_a" alpha companions.
#pragma once

#include "ArtCanvas.h"

#include <string>
#include <vector>

namespace vantero::art {

// The frames of one picture sequence; all frames share frame 0's size.
struct Sequence {
    std::vector<Canvas> Frames;
    Sequence() = default;
    explicit Sequence(Canvas single) { Frames.push_back(std::move(single)); }
};

struct WriteOptions {
    int JpegQuality = 90;          // JPEG only
    bool GifMultiImage = false;    // GIF: one image per frame instead of one strip
    bool AlphaCompanion = false;   // also write <base>_a.<N>.png whose blue channel is the alpha (for JPG/GIF)
    double GifAlphaCut = 0.5;      // GIF: pixels below this alpha become the magenta key
};

// Frame count written in a file name: the number between the first and second dot, else 1.
int FrameCountFromName(const std::string& fileName);
// Frames side by side, left to right.
Canvas MakeStrip(const Sequence& seq);

void WritePng(const std::string& path, const Canvas& c);                     // straight RGBA, 8 bit
void WriteJpeg(const std::string& path, const Canvas& c, int quality);       // composited on black
// GIF: alpha below cut -> magenta key; colours quantised deterministically to <= 255 + key.
void WriteGif(const std::string& path, const std::vector<const Canvas*>& images, double alphaCut);

// Writes the sequence to path (extension png, jpg or gif); checks that the ".N." infix matches
// the frame count (for multi-image GIFs the infix is not checked). Creates parent folders.
void WriteSequence(const std::string& path, const Sequence& seq, const WriteOptions& options);

}  // namespace vantero::art
