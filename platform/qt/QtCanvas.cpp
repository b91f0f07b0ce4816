// The drawing primitives on a QPainter over a QImage.
#include "platform/qt/QtCanvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QPen>
#include <QRect>
#include <QString>

namespace {

// A read-only image over a Bitmap's pixels (0xFFRRGGBB words are Format_RGB32).
QImage WrapConst(const Bitmap& bmp) {
    return QImage(reinterpret_cast<const uchar*>(bmp.pixels.data()), bmp.width, bmp.height,
                  static_cast<qsizetype>(bmp.width) * 4, QImage::Format_RGB32);
}

QColor ColourOf(uint32_t colour) {
    return QColor::fromRgb(static_cast<QRgb>(colour | 0xFF000000U));
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont CQtCanvas::Font() {
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(kFontPixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

CQtCanvas::CQtCanvas(QImage& target) : m_image(target) {
    m_painter.begin(&m_image);
    m_painter.setFont(Font());
}

CQtCanvas::CQtCanvas(Bitmap& target)
    : m_wrapped(reinterpret_cast<uchar*>(target.pixels.data()), target.width, target.height,
                static_cast<qsizetype>(target.width) * 4, QImage::Format_RGB32),
      m_image(m_wrapped) {
    m_painter.begin(&m_image);
    m_painter.setFont(Font());
}

CQtCanvas::~CQtCanvas() {
    m_painter.end();
}

void CQtCanvas::CopyBitmap(const Bitmap& src, int x, int y) {
    CopyBitmap(src, x, y, 0, 0, src.width, src.height);
}

void CQtCanvas::CopyBitmap(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h) {
    const SCopyRect r = ClipCopy(src, m_image.width(), m_image.height(), x, y, srcX, srcY, w, h);
    if (r.IsEmpty()) {
        return;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.drawImage(QPoint(r.x, r.y), WrapConst(src), QRect(r.srcX, r.srcY, r.w, r.h));
}

void CQtCanvas::CopyBitmapKeyed(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h) {
    const SCopyRect r = ClipCopy(src, m_image.width(), m_image.height(), x, y, srcX, srcY, w, h);
    if (r.IsEmpty()) {
        return;
    }
    // The transparent image copy: the rectangle with magenta made fully transparent, laid over
    // the target. Alpha is 0 or 255 only, so every pixel is either kept or replaced exactly.
    QImage part(r.w, r.h, QImage::Format_ARGB32_Premultiplied);
    for (int row = 0; row < r.h; ++row) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(row));
        for (int col = 0; col < r.w; ++col) {
            const uint32_t p = src.At(r.srcX + col, r.srcY + row);
            line[col] = IsKeyColour(p) ? 0U : (p | 0xFF000000U);
        }
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.drawImage(QPoint(r.x, r.y), part);
}

void CQtCanvas::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour) {
    if (x1 == x2 && y1 == y2) {
        return;
    }
    QPen pen(ColourOf(colour));
    pen.setWidth(1);
    // A flat cap leaves out the last pixel of the line as Qt orders it, which is the one with
    // the greater coordinate. A straight line drawn backwards is therefore given to Qt as the
    // same pixels drawn forwards: from one past the second point to one past the first.
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(pen);
    if (y1 == y2 && x2 < x1) {
        m_painter.drawLine(x2 + 1, y1, x1 + 1, y1);
    } else if (x1 == x2 && y2 < y1) {
        m_painter.drawLine(x1, y2 + 1, x1, y1 + 1);
    } else {
        m_painter.drawLine(x1, y1, x2, y2);
    }
}

void CQtCanvas::DrawTextIn(const QRect& box, std::string_view text, uint32_t colour, int flags) {
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setPen(ColourOf(colour));
    m_painter.save();
    m_painter.setClipRect(box);
    m_painter.drawText(box, flags | Qt::TextSingleLine, FromUtf8(text));
    m_painter.restore();
}

void CQtCanvas::DrawTextAt(int x, int y, int width, std::string_view text, uint32_t colour) {
    DrawTextIn(QRect(x, y, width, kTextBoxHeight), text, colour, Qt::AlignLeft | Qt::AlignBottom);
}

STextSize CQtCanvas::MeasureText(std::string_view text) {
    const QFontMetrics metrics(m_painter.font());
    return {metrics.horizontalAdvance(FromUtf8(text)), metrics.height()};
}

void CQtCanvas::DrawRect(const SRect& rect, uint32_t pen, uint32_t brush) {
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    // Filled rectangles rather than a stroked one: their pixels are exact whatever the pen.
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect outer(rect.left, rect.top, rect.Width(), rect.Height());
    m_painter.fillRect(outer, ColourOf(pen));
    if (rect.Width() > 2 && rect.Height() > 2) {
        m_painter.fillRect(outer.adjusted(1, 1, -1, -1), ColourOf(brush));
    }
}

void CQtCanvas::DrawTextInRect(const SRect& rect, std::string_view text, uint32_t colour,
                               TextVAlign align) {
    const int vertical = align == TextVAlign::kBottom ? Qt::AlignBottom : Qt::AlignVCenter;
    DrawTextIn(QRect(rect.left, rect.top, rect.Width(), rect.Height()), text, colour,
               Qt::AlignHCenter | vertical);
}
