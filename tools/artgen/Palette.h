// Reduction of a picture to at most 256 colours for the 8-bit BMP encoding.
#pragma once

#include <QImage>

#include "tools/artgen/BmpFile.h"

// A picture with no more than maxColours distinct colours keeps every colour exactly (the
// palette is sorted by value). Otherwise the colours are split by median cut, each box stands
// for its population-weighted mean, and each pixel takes the nearest palette entry.
SIndexedImage Quantize(const QImage& image, int maxColours = 256);

// How far the quantised picture strays from the original: the largest and the mean distance
// per channel, in levels of 0..255.
struct SQuantizeError {
    int worst = 0;
    double mean = 0.0;
};
SQuantizeError MeasureQuantizeError(const QImage& image, const SIndexedImage& indexed);
