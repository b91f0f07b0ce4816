// The soft keys' popup menus: a QMenu made from the menu resource of the current language.
#include "shell/SoftKeyMenu.h"

#include <QAction>
#include <QFont>

#include "platform/qt/ScaledStyle.h"
#include "res/Menus.h"

namespace softkey {
namespace {

// The menus' font at scale 1: the one the device screen's text is drawn in.
constexpr int kFontPixels = 13;

QString Caption(std::string_view text) {
    // '&' would mark a mnemonic; the resources mean the character itself.
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .replace(QLatin1Char('&'), QLatin1String("&&"));
}

void Fill(QMenu& menu, std::span<const res::SMenuItem> items, const UpdateRule& update) {
    for (const res::SMenuItem& item : items) {
        switch (item.kind) {
            case res::MenuItemKind::kSeparator:
                menu.addSeparator();
                break;
            case res::MenuItemKind::kPopup: {
                QMenu* sub = menu.addMenu(Caption(item.caption));
                sub->setStyle(menu.style());
                sub->setFont(menu.font());
                Fill(*sub, item.Items(), update);
                break;
            }
            case res::MenuItemKind::kCommand: {
                QAction* action = menu.addAction(Caption(item.caption));
                action->setData(static_cast<int>(item.command));
                break;
            }
        }
    }
    // The rules run as this menu opens, for its own items; submenus ask when they open.
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, update] {
        for (QAction* action : menu.actions()) {
            if (action->isSeparator() || action->menu() != nullptr) {
                continue;
            }
            const SCommandState state = update(static_cast<CommandId>(action->data().toInt()));
            action->setEnabled(state.enabled);
            action->setCheckable(state.checked);
            action->setChecked(state.checked);
        }
    });
}

}  // namespace

std::unique_ptr<QMenu> Build(int language, int key, int scale, const UpdateRule& update) {
    const res::SMenuItem* popup = res::SoftKeyPopup(language, key);
    if (popup == nullptr) {
        return nullptr;
    }
    auto result = std::make_unique<QMenu>();
    result->setStyle(ScaledStyle(scale));
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(kFontPixels * scale);
    result->setFont(font);
    Fill(*result, popup->Items(), update);
    return result;
}

std::optional<CommandId> Run(int language, int key, int scale, const UpdateRule& update,
                             QPoint globalPos) {
    const std::unique_ptr<QMenu> menu = Build(language, key, scale, update);
    if (!menu) {
        return std::nullopt;
    }
    const QAction* chosen = menu->exec(globalPos);
    if (chosen == nullptr || chosen->menu() != nullptr) {
        return std::nullopt;
    }
    return static_cast<CommandId>(chosen->data().toInt());
}

}  // namespace softkey
