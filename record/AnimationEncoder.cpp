#include "record/AnimationEncoder.h"

#include "capture/NeuQuant.h"
#include "record/FrameDelays.h"
#include "record/GifQuality.h"
#include "record/NearestColour.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

// The longest delay given to one frame; a frame shown longer is followed by
// frames that repeat one of its pixels.
constexpr std::int64_t kLongestDelay = 60000;

// A full palette of learned colours has no index to spare for transparency;
// the nearer of its two closest colours can be given up, its pixels taking
// the other one. Returns {given up, kept}.
std::pair<int, int> ClosestPair(const GifWriter::Palette& palette) {
    int best = -1;
    std::pair<int, int> pair{0, 1};
    for (std::size_t i = 0; i < palette.size(); ++i)
        for (std::size_t j = i + 1; j < palette.size(); ++j) {
            const int dr = palette[i].r - palette[j].r, dg = palette[i].g - palette[j].g,
                      db = palette[i].b - palette[j].b;
            const int d = dr * dr + dg * dg + db * db;
            if (best < 0 || d < best) {
                best = d;
                pair = {static_cast<int>(j), static_cast<int>(i)};
            }
        }
    return pair;
}

GifWriter::Palette PaletteOf(const NeuQuant& quant) {
    GifWriter::Palette palette;
    for (const auto& c : quant.Palette())
        palette.push_back(GifWriter::Rgb{c.r, c.g, c.b});
    return palette;
}

} // namespace

AnimationEncoder::AnimationEncoder(AnimationFormat format, int width, int height, ByteSink& sink,
                                   bool apngOver)
    : m_format(format), m_bApngOver(apngOver), m_nWidth(width), m_nHeight(height),
      m_nUnits(format == AnimationFormat::Gif ? FrameDelays::kGifUnits : FrameDelays::kApngUnits),
      m_sink(sink), m_timeline(m_nUnits) {}

AnimationEncoder::~AnimationEncoder() = default;

bool AnimationEncoder::Start() {
    if (m_format == AnimationFormat::Apng) {
        m_pApng = std::make_unique<ApngWriter>(m_sink, 6, m_bApngOver);
        return m_pApng->Begin(m_nWidth, m_nHeight);
    }
    // The first frame's colours become the shared table.
    m_pGif = std::make_unique<GifWriter>(m_sink);
    const FrameChanges::Rect whole{0, 0, m_nWidth, m_nHeight};
    if (m_shared.Collect(m_pending.data(), m_nWidth, whole, 256)) {
        m_sharedColours = m_shared.Colours();
    } else {
        if (!m_pQuant)
            m_pQuant = std::make_unique<NeuQuant>();
        m_pQuant->Learn(m_pending.data(), m_nWidth, m_nHeight, m_nWidth * 3, 24);
        m_sharedColours = PaletteOf(*m_pQuant);
        m_shared.Assign(m_sharedColours);
        m_sharedPair = ClosestPair(m_sharedColours);
    }
    m_nSharedTransparent = -1;
    if (m_sharedColours.size() < 256) {
        m_nSharedTransparent = static_cast<int>(m_sharedColours.size());
        m_sharedColours.push_back(GifWriter::Rgb{0, 0, 0});
    }
    return m_pGif->Begin(m_nWidth, m_nHeight, &m_sharedColours);
}

bool AnimationEncoder::AddFrame(std::vector<std::uint8_t>&& frame, std::int64_t micros) {
    if (m_bFailed || m_nWidth < 1 || m_nHeight < 1 ||
        frame.size() != static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight) * 3) {
        m_bFailed = true;
        return false;
    }
    if (!m_bPending) {
        m_pending = std::move(frame);
        m_timeline.Start(micros);
        m_bPending = true;
        return true;
    }
    if (frame == m_pending)
        return true;
    const std::int64_t delay = m_timeline.Next(micros);
    if (delay > 0 && !Emit(delay))
        return false;
    m_pending = std::move(frame);
    return true;
}

bool AnimationEncoder::Finish(std::int64_t endMicros) {
    if (m_bFailed)
        return false;
    if (m_bPending) {
        if (!Emit(m_timeline.End(endMicros)))
            return false;
        m_bPending = false;
    }
    if (m_nWritten == 0)
        return false;
    m_bFailed = !(m_pGif ? m_pGif->End() : m_pApng->End());
    return !m_bFailed;
}

bool AnimationEncoder::Emit(std::int64_t delay) {
    if (m_nWritten == 0 && !Start()) {
        m_bFailed = true;
        return false;
    }
    // A delay too long for one frame is carried on by frames that repeat one
    // pixel, none of them shorter than players honour.
    const std::int64_t shortest = FrameDelays::Shortest(m_nUnits);
    auto part = [&] {
        if (delay <= kLongestDelay)
            return delay;
        return delay - kLongestDelay < shortest ? delay - shortest : kLongestDelay;
    };
    std::int64_t now = part();
    if (!EmitPart(now, true))
        return false;
    m_shown.swap(m_pending);
    for (delay -= now; delay > 0; delay -= now) {
        m_pending = m_shown;
        now = part();
        if (!EmitPart(now, false))
            return false;
    }
    return true;
}

// Writes the pending frame (whole: what changed; else one pixel that did not
// change, to carry the rest of a long delay) with this delay.
bool AnimationEncoder::EmitPart(std::int64_t delay, bool whole) {
    const bool first = m_nWritten == 0;
    FrameChanges::Rect rect{0, 0, m_nWidth, m_nHeight};
    if (!first)
        rect = whole ? FrameChanges::ChangedRect(m_shown.data(), m_pending.data(), m_nWidth, m_nHeight)
                     : FrameChanges::Rect{};
    if (rect.Empty())
        rect = FrameChanges::Rect{0, 0, 1, 1};
    bool ok;
    if (m_pApng) {
        const std::size_t offset = (static_cast<std::size_t>(rect.y) * static_cast<std::size_t>(m_nWidth) +
                                    static_cast<std::size_t>(rect.x)) *
                                   3;
        ok = m_pApng->AddFrame(rect.x, rect.y, rect.width, rect.height, m_pending.data() + offset,
                               m_nWidth * 3, static_cast<int>(delay), m_nUnits,
                               first ? nullptr : m_shown.data() + offset);
    } else {
        ok = EmitGif(rect, static_cast<int>(delay), first);
    }
    if (!ok) {
        m_bFailed = true;
        return false;
    }
    ++m_nWritten;
    return true;
}

// Marks in m_changed the pixels of rect that differ from the frame shown;
// returns how many.
std::int64_t AnimationEncoder::MarkChanges(FrameChanges::Rect rect) {
    m_changed.resize(static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height));
    std::uint8_t* out = m_changed.data();
    std::int64_t changed = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const std::size_t base = (static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                                  static_cast<std::size_t>(rect.x)) *
                                 3;
        const std::uint8_t* a = m_shown.data() + base;
        const std::uint8_t* b = m_pending.data() + base;
        for (int x = 0; x < rect.width; ++x, a += 3, b += 3) {
            *out = a[0] != b[0] || a[1] != b[1] || a[2] != b[2];
            changed += *out++;
        }
    }
    return changed;
}

bool AnimationEncoder::EmitGif(FrameChanges::Rect rect, int delay, bool first) {
    const std::size_t count = static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height);
    for (auto& buffer : m_indices)
        buffer.resize(count);
    GifWriter::Frame frames[kCandidates];
    std::size_t n = 0;
    // The next candidate's indices.
    auto next = [&] { return m_indices[n].data(); };
    auto add = [&](const GifWriter::Palette* palette, int transparent) {
        GifWriter::Frame& f = frames[n];
        f.x = rect.x;
        f.y = rect.y;
        f.width = rect.width;
        f.height = rect.height;
        f.indices = m_indices[n].data();
        f.palette = palette;
        f.delay = delay;
        f.transparent = transparent;
        ++n;
    };
    const std::uint8_t* origin =
        m_pending.data() + (static_cast<std::size_t>(rect.y) * m_nWidth + rect.x) * 3;
    const int stride = m_nWidth * 3;

    if (first) {
        if (m_pQuant) {
            // The learned colours, each pixel taking the nearest, for this
            // frame and the frames to come.
            m_pSharedNearest = std::make_unique<NearestColour>();
            m_pSharedNearest->Assign(m_sharedColours);
            m_pSharedQuant = std::move(m_pQuant);
            MapShared(origin, rect.width, rect.height, stride, next());
            // How well the recording shows the screen, for the frames to come.
            m_nFirstError = GifQuality::SquaredError(origin, stride, rect.width, rect.height, next(), nullptr,
                                                     m_sharedColours);
            m_nFirstPixels = static_cast<std::int64_t>(count);
        } else {
            m_shared.Map(m_pending.data(), m_nWidth, rect, next());
        }
        add(nullptr, -1);
        return m_pGif->AddSmallest(frames, n);
    }

    // Every pixel of the rectangle in its exact colour, through the shared
    // table or a table of the rectangle's own.
    const std::int64_t changed = MarkChanges(rect);
    const std::uint8_t* mask = m_changed.data();
    const bool exact = m_local.Collect(m_pending.data(), m_nWidth, rect, 256);
    if (exact) {
        if (m_shared.Covers(m_local)) {
            m_shared.Map(m_pending.data(), m_nWidth, rect, next());
            add(nullptr, -1);
        }
        m_localColours = m_local.Colours();
        m_local.Map(m_pending.data(), m_nWidth, rect, next());
        add(&m_localColours, -1);
    }
    // Only the pixels that changed in their exact colours, the others
    // transparent: often exact where the rectangle as a whole is not.
    if (m_changes.Collect(m_pending.data(), m_nWidth, rect, 255, mask)) {
        if (m_nSharedTransparent >= 0 && m_shared.Covers(m_changes)) {
            m_shared.Map(m_pending.data(), m_nWidth, rect, next(), mask,
                         static_cast<std::uint8_t>(m_nSharedTransparent));
            add(nullptr, m_nSharedTransparent);
        }
        m_changeColours = m_changes.Colours();
        const int transparent = static_cast<int>(m_changeColours.size());
        m_changeColours.push_back(GifWriter::Rgb{0, 0, 0});
        m_changes.Map(m_pending.data(), m_nWidth, rect, next(), mask, static_cast<std::uint8_t>(transparent));
        add(&m_changeColours, transparent);
    }

    // Quantised, the unchanged pixels transparent: through the first frame's
    // table; through a table of the first frame's colours these pixels use
    // and the exact colours of those it shows badly; through a table learned
    // from the changed pixels. A quantised way is taken where it shows the
    // changed pixels about as well as the first frame was shown, or (when
    // there is no exact way) about as well as the best of them, or it would
    // leave colours the shared table never learned wrong for good.
    const bool lossless = n > 0;
    const std::size_t firstLossy = n;
    std::int64_t errors[kCandidates] = {};
    if (m_pSharedNearest) {
        m_sharedIndices.resize(count);
        MapShared(origin, rect.width, rect.height, stride, m_sharedIndices.data());
        if (MixShared(rect, origin, stride, next())) {
            errors[n] = GifQuality::SquaredError(origin, stride, rect.width, rect.height, next(), mask,
                                                 m_mixedColours);
            add(&m_mixedColours, m_nMixedTransparent);
        }
        std::memcpy(next(), m_sharedIndices.data(), count);
        HideUnchanged(next(), count, m_sharedPair.first, m_sharedPair.second);
        errors[n] =
            GifQuality::SquaredError(origin, stride, rect.width, rect.height, next(), mask, m_sharedColours);
        add(nullptr, m_sharedPair.first);
    }
    if (!lossless) {
        m_sample.clear();
        for (int y = 0; y < rect.height; ++y)
            for (int x = 0; x < rect.width; ++x)
                if (mask[static_cast<std::size_t>(y) * rect.width + x]) {
                    const std::uint8_t* p = origin + static_cast<std::size_t>(y) * stride + x * 3;
                    m_sample.insert(m_sample.end(), p, p + 3);
                }
        if (!m_pQuant)
            m_pQuant = std::make_unique<NeuQuant>();
        const int samples = static_cast<int>(m_sample.size() / 3);
        m_pQuant->Learn(m_sample.data(), samples, 1, samples * 3, 24);
        m_pQuant->Map(origin, rect.width, rect.height, stride, 24, next(), rect.width);
        m_localColours = PaletteOf(*m_pQuant);
        const auto pair = ClosestPair(m_localColours);
        HideUnchanged(next(), count, pair.first, pair.second);
        errors[n] =
            GifQuality::SquaredError(origin, stride, rect.width, rect.height, next(), mask, m_localColours);
        add(&m_localColours, pair.first);
    }
    std::int64_t best = -1;
    for (std::size_t i = firstLossy; i < n; ++i)
        if (best < 0 || errors[i] < best)
            best = errors[i];
    std::size_t kept = firstLossy;
    for (std::size_t i = firstLossy; i < n; ++i)
        if (GifQuality::AsGoodAs(errors[i], changed, m_nFirstError, m_nFirstPixels) ||
            (!lossless && GifQuality::CloseEnough(errors[i], best, changed)))
            frames[kept++] = frames[i];
    return m_pGif->AddSmallest(frames, kept);
}

// From the indices of rect's pixels through the shared table
// (m_sharedIndices), builds in m_mixedColours a table of the shared colours
// the changed pixels take and of the exact colours of the changed pixels
// those show badly, and writes the indices into it (the unchanged pixels: its
// transparent index). False when that takes more than 255 colours.
bool AnimationEncoder::MixShared(FrameChanges::Rect rect, const std::uint8_t* origin, int stride,
                                 std::uint8_t* out) {
    // More than 8 apart in each component, or as far apart in all.
    constexpr int kBadlyShown = 3 * 8 * 8;
    const std::size_t count = m_changed.size();
    m_bad.resize(count);
    int remap[256];
    std::fill(std::begin(remap), std::end(remap), -1);
    m_mixedColours.clear();
    const std::uint8_t* shared = m_sharedIndices.data();
    for (int y = 0, i = 0; y < rect.height; ++y) {
        const std::uint8_t* p = origin + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < rect.width; ++x, ++i, p += 3) {
            m_bad[i] = 0;
            if (!m_changed[i])
                continue;
            const GifWriter::Rgb c = m_sharedColours[shared[i]];
            const int db = p[0] - c.b, dg = p[1] - c.g, dr = p[2] - c.r;
            if (db * db + dg * dg + dr * dr > kBadlyShown) {
                m_bad[i] = 1;
            } else if (remap[shared[i]] < 0) {
                remap[shared[i]] = static_cast<int>(m_mixedColours.size());
                m_mixedColours.push_back(c);
            }
        }
    }
    if (m_mixedColours.size() > 255 ||
        !m_badColours.Collect(m_pending.data(), m_nWidth, rect, 255 - static_cast<int>(m_mixedColours.size()),
                              m_bad.data()))
        return false;
    const int base = static_cast<int>(m_mixedColours.size());
    m_mixedColours.insert(m_mixedColours.end(), m_badColours.Colours().begin(), m_badColours.Colours().end());
    m_nMixedTransparent = static_cast<int>(m_mixedColours.size());
    m_mixedColours.push_back(GifWriter::Rgb{0, 0, 0});
    m_badColours.Map(m_pending.data(), m_nWidth, rect, out, m_bad.data(), 0);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>(!m_changed[i] ? m_nMixedTransparent
                                           : m_bad[i]    ? base + out[i]
                                                         : remap[shared[i]]);
    return true;
}

// Maps a block through the learned shared table: each pixel to the colour
// nearest by squares while the colours met so far are few enough to be
// remembered, and once they are not (a screen of many colours, where that
// search would fall behind) the rest of the block to the network's choice.
void AnimationEncoder::MapShared(const std::uint8_t* pixels, int width, int height, int stride,
                                 std::uint8_t* out) {
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* indices = out + static_cast<std::ptrdiff_t>(y) * width;
        if (m_pSharedNearest->Full()) {
            m_pSharedQuant->Map(row, width, height - y, stride, 24, indices, width);
            return;
        }
        m_pSharedNearest->Map(row, width, 1, stride, indices, width);
    }
}

// Gives the index `hidden` up (its pixels take `kept`) and writes it for the
// pixels of m_changed that did not change.
void AnimationEncoder::HideUnchanged(std::uint8_t* indices, std::size_t count, int hidden, int kept) {
    for (std::size_t i = 0; i < count; ++i)
        indices[i] = m_changed[i] == 0      ? static_cast<std::uint8_t>(hidden)
                     : indices[i] == hidden ? static_cast<std::uint8_t>(kept)
                                            : indices[i];
}
