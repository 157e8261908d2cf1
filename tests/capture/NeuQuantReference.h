// The colour quantiser written out one neuron at a time, the way the
// algorithm is usually published: the learning loop, the unbiasing and the
// green-indexed search, with no attention to speed. The tests hold the fast
// quantiser to it bit for bit, and the benchmarks measure against it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

class NeuQuantReference {
public:
    // Palette as 256 x (blue, green, red), and one index per pixel, width
    // bytes per row with no padding. Pixels as the quantiser takes them: rows
    // of `stride` bytes, 16-bit BGR565 or blue, green, red (, unused) bytes.
    struct Output {
        std::vector<std::uint8_t> palette;
        std::vector<std::uint8_t> indices;
    };

    Output Run(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel) {
        Output out;
        out.palette = Learn(pixels, width, height, stride, bitsPerPixel);
        out.indices = Map(pixels, width, height, stride, bitsPerPixel);
        return out;
    }

    // The two halves of Run: the palette, then the indices with that palette.
    std::vector<std::uint8_t> Learn(const std::uint8_t* pixels, int width, int height, int stride,
                                    int bitsPerPixel) {
        m_pixels = pixels;
        m_stride = stride;
        m_bpp = bitsPerPixel;
        const int pixelCount = width * height;
        for (int i = 0; i < 256; ++i) {
            net[i][0] = net[i][1] = net[i][2] = (i << 12) / 256;
            freq[i] = 65536 / 256;
            bias[i] = 0;
        }
        const int lengthCount = pixelCount * 3;
        const int samples = lengthCount / (3 * 3);
        int delta = samples / 100;
        int step; // in pixels
        if (delta == 0) {
            delta = 1;
            step = 3;
        } else if (lengthCount % 499 != 0) {
            step = 499;
        } else if (lengthCount % 491 != 0) {
            step = 491;
        } else if (lengthCount % 487 != 0) {
            step = 487;
        } else {
            step = 503;
        }
        int alpha = 1024, radius = 2048;
        int rad = radius >> 6;
        if (rad <= 1)
            rad = 0;
        for (int m = 0; m < rad; ++m)
            radpower[m] = alpha * (((rad * rad - m * m) * 256) / (rad * rad));
        int pos = 0;
        for (int i = 0; i < samples;) {
            int b, g, r;
            Read(pos % width, pos / width, b, g, r);
            b <<= 4;
            g <<= 4;
            r <<= 4;
            const int j = Contest(b, g, r);
            for (int c = 0; c < 3; ++c)
                net[j][c] -= (alpha * (net[j][c] - (c == 0 ? b : c == 1 ? g : r))) / 1024;
            if (rad)
                AlterNeigh(rad, j, b, g, r);
            pos = (pos + step) % pixelCount;
            ++i;
            if (i % delta == 0) {
                alpha -= alpha / 30;
                radius -= radius / 30;
                rad = radius >> 6;
                if (rad <= 1)
                    rad = 0;
                for (int m = 0; m < rad; ++m)
                    radpower[m] = alpha * (((rad * rad - m * m) * 256) / (rad * rad));
            }
        }
        std::vector<std::uint8_t> palette;
        for (int i = 0; i < 256; ++i) {
            for (int c = 0; c < 3; ++c) {
                int v = (net[i][c] + 8) >> 4;
                net[i][c] = v > 255 ? 255 : v;
                palette.push_back(static_cast<std::uint8_t>(net[i][c]));
            }
            net[i][3] = i;
        }
        BuildIndex();
        return palette;
    }

    std::vector<std::uint8_t> Map(const std::uint8_t* pixels, int width, int height, int stride,
                                  int bitsPerPixel) {
        m_pixels = pixels;
        m_stride = stride;
        m_bpp = bitsPerPixel;
        std::vector<std::uint8_t> indices;
        indices.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int b, g, r;
                Read(x, y, b, g, r);
                indices.push_back(static_cast<std::uint8_t>(Search(b, g, r)));
            }
        }
        return indices;
    }

private:
    void Read(int x, int y, int& b, int& g, int& r) const {
        const std::uint8_t* p = m_pixels + static_cast<std::size_t>(y) * m_stride +
                                static_cast<std::size_t>(x) * static_cast<std::size_t>(m_bpp / 8);
        if (m_bpp == 16) {
            const int v = p[0] + 256 * p[1];
            b = (v % 32) * 8;
            g = (v / 32 % 64) * 4;
            r = (v / 2048) * 8;
        } else {
            b = p[0];
            g = p[1];
            r = p[2];
        }
    }

    int Contest(int b, int g, int r) {
        int bestd = 0x7FFFFFFF, bestbiasd = 0x7FFFFFFF, bestpos = -1, bestbiaspos = -1;
        for (int i = 0; i < 256; ++i) {
            int dist = std::abs(net[i][0] - b) + std::abs(net[i][1] - g) + std::abs(net[i][2] - r);
            if (dist < bestd) {
                bestd = dist;
                bestpos = i;
            }
            int biasdist = dist - (bias[i] >> 12);
            if (biasdist < bestbiasd) {
                bestbiasd = biasdist;
                bestbiaspos = i;
            }
            int betafreq = freq[i] >> 10;
            freq[i] -= betafreq;
            bias[i] += betafreq << 10;
        }
        freq[bestpos] += 64;
        bias[bestpos] -= 65536;
        return bestbiaspos;
    }

    void AlterNeigh(int rad, int i, int b, int g, int r) {
        int lo = i - rad < -1 ? -1 : i - rad;
        int hi = i + rad > 256 ? 256 : i + rad;
        int j = i + 1, k = i - 1, m = 0;
        const int s[3] = {b, g, r};
        while (j < hi || k > lo) {
            const int a = radpower[++m];
            if (j < hi) {
                for (int c = 0; c < 3; ++c)
                    net[j][c] -= (a * (net[j][c] - s[c])) / (1 << 18);
                ++j;
            }
            if (k > lo) {
                for (int c = 0; c < 3; ++c)
                    net[k][c] -= (a * (net[k][c] - s[c])) / (1 << 18);
                --k;
            }
        }
    }

    void BuildIndex() {
        int previouscol = 0, startpos = 0;
        for (int i = 0; i < 256; ++i) {
            int smallpos = i, smallval = net[i][1];
            for (int j = i + 1; j < 256; ++j) {
                if (net[j][1] < smallval) {
                    smallpos = j;
                    smallval = net[j][1];
                }
            }
            if (i != smallpos) {
                for (int c = 0; c < 4; ++c)
                    std::swap(net[i][c], net[smallpos][c]);
            }
            if (smallval != previouscol) {
                netindex[previouscol] = (startpos + i) >> 1;
                for (int j = previouscol + 1; j < smallval; ++j)
                    netindex[j] = i;
                previouscol = smallval;
                startpos = i;
            }
        }
        netindex[previouscol] = (startpos + 255) >> 1;
        for (int j = previouscol + 1; j < 256; ++j)
            netindex[j] = 255;
    }

    int Search(int b, int g, int r) const {
        int bestd = 1000, best = -1;
        int i = netindex[g], j = i - 1;
        while (i < 256 || j >= 0) {
            if (i < 256) {
                int dist = net[i][1] - g;
                if (dist >= bestd) {
                    i = 256;
                } else {
                    dist = std::abs(dist) + std::abs(net[i][0] - b);
                    if (dist < bestd) {
                        dist += std::abs(net[i][2] - r);
                        if (dist < bestd) {
                            bestd = dist;
                            best = net[i][3];
                        }
                    }
                    ++i;
                }
            }
            if (j >= 0) {
                int dist = g - net[j][1];
                if (dist >= bestd) {
                    j = -1;
                } else {
                    dist = std::abs(dist) + std::abs(net[j][0] - b);
                    if (dist < bestd) {
                        dist += std::abs(net[j][2] - r);
                        if (dist < bestd) {
                            bestd = dist;
                            best = net[j][3];
                        }
                    }
                    --j;
                }
            }
        }
        return best;
    }

    const std::uint8_t* m_pixels = nullptr;
    int m_stride = 0;
    int m_bpp = 32;
    int net[256][4];
    int freq[256], bias[256], radpower[32];
    int netindex[256];
};
