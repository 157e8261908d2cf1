#include "record/AnimationEncoder.h"

#include "capture/NeuQuant.h"
#include "record/FrameDelays.h"

#include <cstring>
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

AnimationEncoder::AnimationEncoder(AnimationFormat format, int width, int height, ByteSink& sink)
    : m_format(format), m_nWidth(width), m_nHeight(height),
      m_nUnits(format == AnimationFormat::Gif ? FrameDelays::kGifUnits : FrameDelays::kApngUnits),
      m_sink(sink), m_timeline(m_nUnits) {}

AnimationEncoder::~AnimationEncoder() = default;

bool AnimationEncoder::Start() {
    if (m_format == AnimationFormat::Apng) {
        m_pApng = std::make_unique<ApngWriter>(m_sink);
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
                               m_nWidth * 3, static_cast<int>(delay), m_nUnits);
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

bool AnimationEncoder::EmitGif(FrameChanges::Rect rect, int delay, bool first) {
    const std::size_t count = static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height);
    for (auto& buffer : m_indices)
        buffer.resize(count);
    GifWriter::Frame frames[4];
    std::size_t n = 0;
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
    // Unchanged pixels as a transparent index: a second copy of the indices,
    // in which the pixels of a given-up transparent index take the kept one.
    auto withTransparency = [&](std::size_t from, const GifWriter::Palette* palette, int transparent,
                                int kept = -1) {
        if (first || transparent < 0)
            return;
        const std::size_t to = n;
        std::memcpy(m_indices[to].data(), m_indices[from].data(), count);
        std::uint8_t* out = m_indices[to].data();
        if (kept >= 0)
            for (std::size_t i = 0; i < count; ++i)
                if (out[i] == transparent)
                    out[i] = static_cast<std::uint8_t>(kept);
        bool any = false;
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            const std::size_t base = (static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                                      static_cast<std::size_t>(rect.x)) *
                                     3;
            const std::uint8_t* a = m_shown.data() + base;
            const std::uint8_t* b = m_pending.data() + base;
            for (int x = 0; x < rect.width; ++x, ++out, a += 3, b += 3)
                if (a[0] == b[0] && a[1] == b[1] && a[2] == b[2]) {
                    *out = static_cast<std::uint8_t>(transparent);
                    any = true;
                }
        }
        if (any)
            add(palette, transparent);
    };

    const std::uint8_t* origin =
        m_pending.data() + (static_cast<std::size_t>(rect.y) * m_nWidth + rect.x) * 3;
    const bool exact = m_local.Collect(m_pending.data(), m_nWidth, rect, 256);
    if (first || (exact && m_shared.Covers(m_local))) {
        if (first && !exact) {
            m_pQuant->Map(origin, rect.width, rect.height, m_nWidth * 3, 24, m_indices[0].data(), rect.width);
            m_pSharedQuant = std::move(m_pQuant); // the shared table's colours, for the frames to come
        } else {
            m_shared.Map(m_pending.data(), m_nWidth, rect, m_indices[0].data());
        }
        add(nullptr, -1);
        withTransparency(0, nullptr, m_nSharedTransparent);
    } else if (!exact && m_pSharedQuant) {
        // Quantised like the first frame, through its table.
        m_pSharedQuant->Map(origin, rect.width, rect.height, m_nWidth * 3, 24, m_indices[n].data(),
                            rect.width);
        add(nullptr, -1);
        withTransparency(n - 1, nullptr, m_sharedPair.first, m_sharedPair.second);
    }
    if (!first) {
        const std::size_t own = n;
        int transparent = -1;
        if (exact) {
            m_localColours = m_local.Colours();
            m_local.Map(m_pending.data(), m_nWidth, rect, m_indices[own].data());
            if (m_localColours.size() < 256) {
                transparent = static_cast<int>(m_localColours.size());
                m_localColours.push_back(GifWriter::Rgb{0, 0, 0});
            }
        } else {
            if (!m_pQuant)
                m_pQuant = std::make_unique<NeuQuant>();
            m_pQuant->Quantise(origin, rect.width, rect.height, m_nWidth * 3, 24, m_indices[own].data(),
                               rect.width);
            m_localColours = PaletteOf(*m_pQuant);
        }
        add(&m_localColours, -1);
        if (exact) {
            withTransparency(own, &m_localColours, transparent);
        } else {
            const auto pair = ClosestPair(m_localColours);
            withTransparency(own, &m_localColours, pair.first, pair.second);
        }
    }
    return m_pGif->AddSmallest(frames, n);
}
