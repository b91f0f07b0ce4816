// CScaledStyle: Fusion grown by the window's whole-number scale, for the menus, boxes and dialogs.
#include "platform/qt/ScaledStyle.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPolygonF>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <map>

namespace {

// Wider than any text: what Fusion adds to a width past it is the room around the text alone,
// without the minimum widths it sets.
constexpr int kWide = 1 << 16;

// Fusion's arrows: 8 pixels long and 8 * 8 / 14 across; the drop-down list's arrow button is
// 19 pixels wide.
constexpr qreal kArrowLength = 8;
constexpr qreal kArrowAcross = 8.0 * 8.0 / 14.0;
constexpr int kComboArrowWidth = 19;
// A menu item's check column is at least 21 pixels, its check box 7 narrower.
constexpr int kCheckColumn = 21;
constexpr int kCheckMargins = 7;

bool Grows(QStyle::PixelMetric metric) {
    switch (metric) {
        case QStyle::PM_IndicatorWidth:
        case QStyle::PM_IndicatorHeight:
        case QStyle::PM_ExclusiveIndicatorWidth:
        case QStyle::PM_ExclusiveIndicatorHeight:
        case QStyle::PM_CheckBoxLabelSpacing:
        case QStyle::PM_RadioButtonLabelSpacing:
        case QStyle::PM_SmallIconSize:
        case QStyle::PM_LargeIconSize:
        case QStyle::PM_ButtonIconSize:
        case QStyle::PM_MessageBoxIconSize:
        case QStyle::PM_LayoutLeftMargin:
        case QStyle::PM_LayoutTopMargin:
        case QStyle::PM_LayoutRightMargin:
        case QStyle::PM_LayoutBottomMargin:
        case QStyle::PM_LayoutHorizontalSpacing:
        case QStyle::PM_LayoutVerticalSpacing:
        case QStyle::PM_MenuHMargin:
        case QStyle::PM_MenuVMargin:
        case QStyle::PM_MenuScrollerHeight:
            return true;
        default:
            return false;
    }
}

}  // namespace

CScaledStyle::CScaledStyle(int scale)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_scale(std::max(scale, 1)) {}

int CScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return Grows(metric) ? value * m_scale : value;
}

QSize CScaledStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    // A drop-down list's entries are measured as menu items too, in Fusion's way.
    const bool menuItem = type == CT_MenuItem && qobject_cast<const QMenu*>(widget) != nullptr;
    if (m_scale == 1 || option == nullptr ||
        (!menuItem && type != CT_PushButton && type != CT_ComboBox)) {
        return base;
    }
    if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        item != nullptr && item->menuItemType == QStyleOptionMenuItem::Separator) {
        return {base.width(), base.height() * m_scale};
    }
    // The room around the text grows by the scale, and so does the least width.
    const int room =
        QProxyStyle::sizeFromContents(type, option, size + QSize(kWide, 0), widget).width() -
        size.width() - kWide;
    const int least =
        QProxyStyle::sizeFromContents(type, option, QSize(0, size.height()), widget).width();
    const int width = std::max(size.width() + room * m_scale, least * m_scale);
    const int height = size.height() + std::max(base.height() - size.height(), 0) * m_scale;
    return {width, height};
}

QRect CScaledStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                   SubControl subControl, const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (m_scale == 1 || control != CC_ComboBox || option == nullptr) {
        return rect;
    }
    const int grown = kComboArrowWidth * (m_scale - 1);
    if (subControl == SC_ComboBoxArrow) {
        rect = visualRect(option->direction, option->rect, rect);
        rect.adjust(-grown, 0, 0, 0);
        return visualRect(option->direction, option->rect, rect);
    }
    if (subControl == SC_ComboBoxEditField) {
        rect = visualRect(option->direction, option->rect, rect);
        rect.setWidth(rect.width() - grown);
        return visualRect(option->direction, option->rect, rect);
    }
    return rect;
}

void CScaledStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    const auto* check = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (m_scale > 1 && element == PE_IndicatorCheckBox && check != nullptr &&
        qobject_cast<const QMenu*>(widget) != nullptr) {
        // A menu's check box keeps the margins of scale 1 times the scale in its column, where
        // Fusion keeps 3.5 pixels at every scale.
        const int inset = kCheckMargins * (m_scale - 1) / 2;
        QStyleOptionButton box = *check;
        box.rect = check->rect.adjusted(inset, inset, -inset, -inset);
        QProxyStyle::drawPrimitive(element, &box, painter, widget);
        return;
    }
    const bool arrow = element == PE_IndicatorArrowUp || element == PE_IndicatorArrowDown ||
                       element == PE_IndicatorArrowLeft || element == PE_IndicatorArrowRight;
    if (m_scale == 1 || !arrow || option == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's arrow, of the scaled size and drawn at it rather than enlarged from a bitmap.
    const QRectF rect = option->rect;
    const qreal fit = std::min(rect.width(), rect.height()) / kArrowLength;
    const qreal size = std::min<qreal>(m_scale, fit);
    const bool across = element == PE_IndicatorArrowLeft || element == PE_IndicatorArrowRight;
    QRectF box(0, 0, (across ? kArrowAcross : kArrowLength) * size,
               (across ? kArrowLength : kArrowAcross) * size);
    box.moveCenter(rect.center());
    QPolygonF triangle;
    switch (element) {
        case PE_IndicatorArrowDown:
            triangle << box.topLeft() << box.topRight() << QPointF(box.center().x(), box.bottom());
            break;
        case PE_IndicatorArrowRight:
            triangle << box.topLeft() << box.bottomLeft() << QPointF(box.right(), box.center().y());
            break;
        case PE_IndicatorArrowLeft:
            triangle << box.topRight() << box.bottomRight()
                     << QPointF(box.left(), box.center().y());
            break;
        default:
            triangle << box.bottomLeft() << box.bottomRight()
                     << QPointF(box.center().x(), box.top());
            break;
    }
    QColor colour = option->palette.windowText().color();
    colour.setAlpha(160);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    painter->drawPolygon(triangle);
    painter->restore();
}

void CScaledStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (m_scale == 1 || element != CE_MenuItem || item == nullptr ||
        qobject_cast<const QMenu*>(widget) == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // Fusion makes the check column 0.79 times the item's height, which grows by less than the
    // scale; here it is the scale-1 column times the scale.
    QStyleOptionMenuItem grown = *item;
    grown.maxIconWidth = std::max(item->maxIconWidth, kCheckColumn * m_scale);
    QProxyStyle::drawControl(element, &grown, painter, widget);
}

void CScaledStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (m_scale == 1 || control != CC_ComboBox || combo == nullptr ||
        (combo->subControls & SC_ComboBoxArrow) == 0) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // Fusion draws the list's arrow itself, at most 8 pixels long: the list is drawn without
    // it, and the arrow of the scaled size goes in its place.
    QStyleOptionComboBox without = *combo;
    without.subControls &= ~SC_ComboBoxArrow;
    QProxyStyle::drawComplexControl(control, &without, painter, widget);
    QStyleOption arrow = *combo;
    arrow.rect = subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
    drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
}

QIcon CScaledStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    QIcon base = QProxyStyle::standardIcon(icon, option, widget);
    const bool boxIcon = icon == SP_MessageBoxInformation || icon == SP_MessageBoxWarning ||
                         icon == SP_MessageBoxCritical || icon == SP_MessageBoxQuestion;
    if (m_scale == 1 || !boxIcon || base.isNull()) {
        return base;
    }
    // Scale 1 shows the largest picture that fits Fusion's size; here it is that many times as
    // large, from a larger picture when there is one.
    const int fits = QProxyStyle::pixelMetric(PM_MessageBoxIconSize, option, widget);
    const QSize wanted = base.actualSize(QSize(fits, fits)) * m_scale;
    QPixmap picture = base.pixmap(wanted);
    if (picture.size() != wanted) {
        picture = picture.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return QIcon(picture);
}

QStyle* ScaledStyle(int scale) {
    static std::map<int, QPointer<QStyle>> styles;
    scale = std::max(scale, 1);
    QPointer<QStyle>& style = styles[scale];
    if (style.isNull()) {
        style = new CScaledStyle(scale);
        style->setParent(qApp);
    }
    return style.data();
}

void ApplyScaledStyle(QWidget& widget, int scale) {
    QStyle* style = ScaledStyle(scale);
    widget.setStyle(style);
    for (QWidget* child : widget.findChildren<QWidget*>()) {
        child->setStyle(style);
    }
}
