// CScaledStyle: Fusion grown by the window's whole-number scale, for the menus, boxes and dialogs.
#pragma once

#include <QProxyStyle>

class QWidget;

// The game's window shows the device screen at a whole-number scale, and the menus, message
// boxes and dialogs over it take a font that grows by the same factor. Fusion sizes its parts
// for a font of about 13 pixels, and at a larger font they stay small or fall out of step with
// the text: a menu item is measured with a check column of 14 pixels but drawn with one of 0.79
// times its height, so from scale 3 its caption no longer fits and is cut in the middle ("Be⋯er");
// arrows never pass 8 pixels; check marks, radio circles, icons, margins and spacings keep their
// scale-1 size.
//
// This style is Fusion with every such part multiplied by the scale: the pixel metrics of
// indicators, icons, layout margins and spacings, menu margins; the room that menu items, push
// buttons and drop-down lists keep around their text (the text itself is measured in the
// scaled font); a menu item's check column and the margins of its check box; the drop-down
// list's arrow button; arrows, drawn as smooth triangles of the scaled size; and the message
// boxes' icons, enlarged from their largest picture when they have none of the scaled size.
// Frame lines stay one pixel, as Fusion draws them. At scale 1 it is Fusion unchanged, pixel
// for pixel.
class CScaledStyle : public QProxyStyle {
public:
    explicit CScaledStyle(int scale);

    int Scale() const { return m_scale; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    int m_scale;
};

// The style of `scale` (below 1 reads as 1), made on first use and owned by the application.
QStyle* ScaledStyle(int scale);

// Gives `widget` and every widget it holds at this moment the style of `scale` (Qt hands a
// widget's style on to no child).
void ApplyScaledStyle(QWidget& widget, int scale);
