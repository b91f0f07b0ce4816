// CScaledStyle: the parts Fusion keeps at their scale-1 size grow by the scale, seen in pixels.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOption>

#include <cstdlib>
#include <functional>
#include <ostream>

#include "platform/qt/ScaledStyle.h"

namespace {

// The smallest rectangle holding every pixel unlike the top-left one.
QRect Drawn(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// A submenu's arrow, drawn in a square of 16 pixels a scale.
QImage Arrow(int scale) {
    QImage image(16 * scale, 16 * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOption option;
    option.rect = image.rect();
    option.palette.setColor(QPalette::WindowText, Qt::black);
    ScaledStyle(scale)->drawPrimitive(QStyle::PE_IndicatorArrowRight, &option, &painter);
    return image;
}

// A checked radio button without text, in the font of the dialogs at `scale`.
QImage Radio(int scale) {
    QRadioButton radio;
    radio.setStyle(ScaledStyle(scale));
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(11 * scale);
    radio.setFont(font);
    radio.setChecked(true);
    radio.resize(radio.sizeHint() + QSize(4, 4) * scale);
    return radio.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct SPartCase {
    const char* name;
    std::function<QImage(int)> draw;
};

void PrintTo(const SPartCase& part, std::ostream* out) {
    *out << part.name;
}

class ScaledParts : public ::testing::TestWithParam<SPartCase> {};

TEST_P(ScaledParts, GrowByTheScale) {
    const QRect one = Drawn(GetParam().draw(1));
    ASSERT_FALSE(one.isEmpty());
    for (const int scale : {2, 3, 7}) {
        const QRect grown = Drawn(GetParam().draw(scale));
        // Within a pixel or two of edge smoothing.
        EXPECT_NEAR(grown.width(), one.width() * scale, 2 + scale) << scale;
        EXPECT_NEAR(grown.height(), one.height() * scale, 2 + scale) << scale;
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, ScaledParts,
                         ::testing::Values(SPartCase{"SubmenuArrow", Arrow},
                                           SPartCase{"RadioCircle", Radio}),
                         [](const auto& row) { return std::string(row.param.name); });

// Fusion measures a drop-down list's entries as menu items; they stay one line of the font high.
TEST(ScaledStyle, ADropDownListsEntriesStayOneLineHigh) {
    QComboBox list;
    list.setStyle(ScaledStyle(3));
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(33);
    list.setFont(font);
    list.addItems({QStringLiteral("Все"), QStringLiteral("Новичок")});
    EXPECT_LT(list.view()->sizeHintForRow(0), 2 * list.fontMetrics().height());
}

}  // namespace
