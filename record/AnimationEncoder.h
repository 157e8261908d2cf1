// Turns frames grabbed over time into an animation file. Frames come with
// the time they were grabbed; each is shown until the next one that differs,
// and what a frame changed is all that is written of it:
//  - a frame equal to the one before only makes that one last longer;
//  - a frame that would last less than the players' shortest delay is
//    replaced by the next one, which then starts at its time;
//  - GIF: the rectangle that changed, in its exact colours when it or its
//    changed pixels have few enough, with the colour table shared by the
//    frames or the frame's own and unchanged pixels transparent or not,
//    whichever makes the smallest frame; else quantised, unchanged pixels
//    transparent, through the first frame's table where it shows the
//    changed pixels about as well as a table learned from them;
//  - animated PNG: the rectangle that changed, every pixel exact; with
//    apngOver the file has alpha and a frame is drawn over the one before
//    with its unchanged pixels transparent where that is smaller.
#pragma once

#include "record/ApngWriter.h"
#include "record/ByteSink.h"
#include "record/ExactPalette.h"
#include "record/FrameChanges.h"
#include "record/FrameTimeline.h"
#include "record/GifWriter.h"
#include "record/NearestColour.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class NeuQuant;

enum class AnimationFormat { Gif = 0, Apng = 1 };

class AnimationEncoder {
public:
    // Frames are width x height pixels of blue, green and red bytes, rows
    // packed top first (width * height * 3 bytes).
    AnimationEncoder(AnimationFormat format, int width, int height, ByteSink& sink, bool apngOver = false);
    ~AnimationEncoder();
    AnimationEncoder(const AnimationEncoder&) = delete;
    AnimationEncoder& operator=(const AnimationEncoder&) = delete;

    // micros: when the frame was grabbed, in microseconds (the first frame's
    // time is the start of the recording); never less than the time before. Returns false when writing failed
    // or the frame has the wrong size; the file is then of no use.
    bool AddFrame(std::vector<std::uint8_t>&& frame, std::int64_t micros);
    // Writes the last frame, shown until endMicros, and ends the file.
    bool Finish(std::int64_t endMicros);

    int FramesWritten() const { return m_nWritten; }
    // Delay units per second of the format.
    int Units() const { return m_nUnits; }

private:
    bool Start();
    bool Emit(std::int64_t delay);
    bool EmitPart(std::int64_t delay, bool whole);
    bool EmitGif(FrameChanges::Rect rect, int delay, bool first);
    std::int64_t MarkChanges(FrameChanges::Rect rect);
    void MapShared(const std::uint8_t* pixels, int width, int height, int stride, std::uint8_t* out);
    bool MixShared(FrameChanges::Rect rect, const std::uint8_t* origin, int stride, std::uint8_t* out);
    void HideUnchanged(std::uint8_t* indices, std::size_t count, int hidden, int kept);

    AnimationFormat m_format;
    bool m_bApngOver;
    int m_nWidth;
    int m_nHeight;
    int m_nUnits;
    ByteSink& m_sink;
    std::unique_ptr<GifWriter> m_pGif;
    std::unique_ptr<ApngWriter> m_pApng;
    std::unique_ptr<NeuQuant> m_pQuant;
    std::unique_ptr<NearestColour> m_pSharedNearest; // the colours learned from a first frame of many
    std::unique_ptr<NeuQuant> m_pSharedQuant;        // the network that learned them
    bool m_bFailed = false;
    bool m_bPending = false;
    FrameTimeline m_timeline;
    int m_nWritten = 0;
    std::vector<std::uint8_t> m_pending;
    std::vector<std::uint8_t> m_shown;
    // GIF state: the shared table (with a spare entry for transparency when
    // it has room), the frame's own colours, the index buffers.
    ExactPalette m_shared;
    GifWriter::Palette m_sharedColours;
    int m_nSharedTransparent = -1;
    std::pair<int, int> m_sharedPair{0, 1}; // a learned shared table's colours to give up and keep
    std::int64_t m_nFirstError = 0;         // squared error of a quantised first frame
    std::int64_t m_nFirstPixels = 1;
    ExactPalette m_local;
    GifWriter::Palette m_localColours;
    ExactPalette m_changes; // the colours of the changed pixels
    GifWriter::Palette m_changeColours;
    std::vector<std::uint8_t> m_changed;       // per pixel of the rectangle: 1 changed, 0 not
    std::vector<std::uint8_t> m_sample;        // the changed pixels, for learning their colours
    std::vector<std::uint8_t> m_sharedIndices; // the rectangle through a learned shared table
    std::vector<std::uint8_t> m_bad;           // per pixel: 1 where that shows a changed pixel badly
    ExactPalette m_badColours;
    GifWriter::Palette m_mixedColours; // shared colours and exact ones
    int m_nMixedTransparent = 0;
    static constexpr int kCandidates = 6;
    std::vector<std::uint8_t> m_indices[kCandidates];
};
