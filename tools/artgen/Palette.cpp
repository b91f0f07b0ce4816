// Reduction of a picture to at most 256 colours for the 8-bit BMP encoding.
#include "tools/artgen/Palette.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

struct SEntry {
    QRgb colour;
    int count;
};

int Channel(QRgb c, int ch) {
    return ch == 0 ? qRed(c) : (ch == 1 ? qGreen(c) : qBlue(c));
}

// A box of the colour histogram: a range of entries of one shared vector.
struct SBox {
    std::size_t begin;
    std::size_t end;
    double error;  // sum over the pixels of the squared distance to the box mean
    int widestChannel;
};

SBox MakeBox(const std::vector<SEntry>& entries, std::size_t begin, std::size_t end) {
    double sum[3] = {0, 0, 0};
    double sumSq[3] = {0, 0, 0};
    double n = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int ch = 0; ch < 3; ++ch) {
            const double v = Channel(entries[i].colour, ch);
            sum[ch] += v * entries[i].count;
            sumSq[ch] += v * v * entries[i].count;
        }
        n += entries[i].count;
    }
    SBox box{begin, end, 0.0, 0};
    double widest = -1.0;
    for (int ch = 0; ch < 3; ++ch) {
        const double var = sumSq[ch] - sum[ch] * sum[ch] / n;
        box.error += var;
        // Green counts a little more: the eye tells shades of it apart best.
        const double weighted = var * (ch == 1 ? 1.2 : 1.0);
        if (weighted > widest) {
            widest = weighted;
            box.widestChannel = ch;
        }
    }
    if (end - begin < 2) {
        box.error = 0.0;
    }
    return box;
}

QRgb BoxMean(const std::vector<SEntry>& entries, const SBox& box) {
    double sum[3] = {0, 0, 0};
    double n = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int ch = 0; ch < 3; ++ch) {
            sum[ch] += static_cast<double>(Channel(entries[i].colour, ch)) * entries[i].count;
        }
        n += entries[i].count;
    }
    auto mean = [&](int ch) { return static_cast<int>(sum[ch] / n + 0.5); };
    return qRgb(mean(0), mean(1), mean(2));
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

SIndexedImage Quantize(const QImage& image, int maxColours) {
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> histogram;
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            ++histogram[line[x] | 0xFF000000U];
        }
    }
    std::vector<SEntry> entries;
    entries.reserve(histogram.size());
    for (const auto& [colour, count] : histogram) {
        entries.push_back({colour, count});
    }

    std::vector<QRgb> palette;
    if (static_cast<int>(entries.size()) <= maxColours) {
        for (const SEntry& e : entries) {
            palette.push_back(e.colour);
        }
    } else {
        std::vector<SBox> boxes{MakeBox(entries, 0, entries.size())};
        while (static_cast<int>(boxes.size()) < maxColours) {
            auto it =
                std::max_element(boxes.begin(), boxes.end(),
                                 [](const SBox& a, const SBox& b) { return a.error < b.error; });
            if (it->error <= 0.0) {
                break;
            }
            const SBox box = *it;
            const int ch = box.widestChannel;
            std::stable_sort(entries.begin() + static_cast<std::ptrdiff_t>(box.begin),
                             entries.begin() + static_cast<std::ptrdiff_t>(box.end),
                             [ch](const SEntry& a, const SEntry& b) {
                                 return Channel(a.colour, ch) < Channel(b.colour, ch);
                             });
            long total = 0;
            for (std::size_t i = box.begin; i < box.end; ++i) {
                total += entries[i].count;
            }
            std::size_t cut = box.begin + 1;
            long running = entries[box.begin].count;
            while (cut < box.end - 1 && running * 2 < total) {
                running += entries[cut].count;
                ++cut;
            }
            *it = MakeBox(entries, box.begin, cut);
            boxes.push_back(MakeBox(entries, cut, box.end));
        }
        for (const SBox& box : boxes) {
            palette.push_back(BoxMean(entries, box));
        }
        std::sort(palette.begin(), palette.end());
        palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    }

    std::map<QRgb, uint8_t> lookup;
    for (const auto& [colour, count] : histogram) {
        std::size_t best = 0;
        int bestDistance = Distance(colour, palette[0]);
        for (std::size_t i = 1; i < palette.size(); ++i) {
            const int d = Distance(colour, palette[i]);
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        lookup[colour] = static_cast<uint8_t>(best);
    }

    SIndexedImage out;
    out.width = src.width();
    out.height = src.height();
    out.palette = palette;
    out.index.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            out.index[static_cast<std::size_t>(y * out.width + x)] = lookup[line[x] | 0xFF000000U];
        }
    }
    return out;
}

SQuantizeError MeasureQuantizeError(const QImage& image, const SIndexedImage& indexed) {
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    SQuantizeError result;
    double total = 0;
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb a = src.pixel(x, y);
            const QRgb b =
                indexed.palette[indexed.index[static_cast<std::size_t>(y * indexed.width + x)]];
            for (int ch = 0; ch < 3; ++ch) {
                const int d = std::abs(Channel(a, ch) - Channel(b, ch));
                result.worst = std::max(result.worst, d);
                total += d;
            }
        }
    }
    result.mean = total / (3.0 * src.width() * src.height());
    return result;
}
