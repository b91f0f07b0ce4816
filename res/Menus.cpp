// Menus 110..116, soft-key bars 110..116, toolbar 110 and accelerator table 110, and their
// lookups.
#include "res/Menus.h"

#include "res/Strings.h"

namespace res {
namespace {

constexpr SMenuItem Command(int command, std::string_view caption) {
    return {MenuItemKind::kCommand, command, caption, nullptr, 0};
}

template <std::size_t N>
constexpr SMenuItem Popup(std::string_view caption, const SMenuItem (&items)[N]) {
    return {MenuItemKind::kPopup, 0, caption, items, static_cast<int>(N)};
}

constexpr SMenuItem kSeparator = {MenuItemKind::kSeparator, 0, {}, nullptr, 0};

// Each language has the same menu, except that Russian lacks Load, Save, Language... and
// Tutorial.

// One entry a line.
// clang-format off
// English: menu 110.
namespace en {
constexpr SMenuItem kNewGame[] = {
    Command(32772, "Beginner"),
    Command(32773, "Easy"),
    Command(32774, "Medium"),
    Command(32775, "Hard"),
    Command(32776, "Expert"),
    Command(32811, "Custom"),
};
constexpr SMenuItem kEdit[] = {
    Command(57643, "Undo"),
    Command(32781, "Erase Illegal"),
    Command(32782, "Restart"),
};
constexpr SMenuItem kSolve[] = {
    Command(32812, "Check My Input"),
    Command(32785, "Hint"),
    Command(32786, "Solve Cell"),
    Command(32787, "Solve Puzzle"),
};
constexpr SMenuItem kGame[] = {
    Popup("New Game", kNewGame),
    Command(57601, "Load"),
    Command(57604, "Save"),
    Popup("Edit", kEdit),
    Popup("Solve", kSolve),
    kSeparator,
    Command(57665, "Save and Exit"),
};
constexpr SMenuItem kPreferences[] = {
    Command(32790, "Cell Select"),
    Command(32791, "Number Select"),
    kSeparator,
    Command(32792, "Auto Pencilmarks"),
    Command(32793, "Flag Illegal"),
    Command(32795, "Limit Numbers"),
    Command(32813, "Zone Pencilmarks"),
    Command(32817, "Crosshatching"),
};
constexpr SMenuItem kSkin[] = {
    Command(32797, "Paper"),
    Command(32798, "Sand"),
    Command(32799, "Steel"),
};
constexpr SMenuItem kOptions[] = {
    Popup("Preferences", kPreferences),
    Popup("Skin", kSkin),
    Command(32816, "Statistics"),
    Command(32815, "Language..."),
    Command(32801, "Tutorial"),
    Command(57664, "About"),
};
constexpr SMenuItem kBar[] = {
    Popup("Game", kGame),
    Popup("Options", kOptions),
};
}  // namespace en

// French: menu 111.
namespace fr {
constexpr SMenuItem kNewGame[] = {
    Command(32772, "Débutant"),
    Command(32773, "Facile"),
    Command(32774, "Intermédiaire"),
    Command(32775, "Difficile"),
    Command(32776, "Expert"),
    Command(32811, "Personnalisé"),
};
constexpr SMenuItem kEdit[] = {
    Command(57643, "Annuler"),
    Command(32781, "Effacer Illégal"),
    Command(32782, "Redémarrer"),
};
constexpr SMenuItem kSolve[] = {
    Command(32812, "Vérifier Mon Entrée"),
    Command(32785, "Conseil"),
    Command(32786, "Résoudre Cellule"),
    Command(32787, "Résoudre Puzzle"),
};
constexpr SMenuItem kGame[] = {
    Popup("Nouveau jeu", kNewGame),
    Command(57601, "Charger"),
    Command(57604, "Sauvegarder"),
    Popup("Editer", kEdit),
    Popup("Résoudre", kSolve),
    kSeparator,
    Command(57665, "Sauvegarder et Sortir"),
};
constexpr SMenuItem kPreferences[] = {
    Command(32790, "Sélectionner Cellule"),
    Command(32791, "Sélectionner Chiffre"),
    kSeparator,
    Command(32792, "Pencilmarks Automatique"),
    Command(32793, "Marquer comme Illégal"),
    Command(32795, "Limiter Chiffres"),
    Command(32813, "Zone Pencilmarks"),
    Command(32817, "Crosshatching"),
};
constexpr SMenuItem kSkin[] = {
    Command(32797, "Papier"),
    Command(32798, "Sable"),
    Command(32799, "Acier"),
};
constexpr SMenuItem kOptions[] = {
    Popup("Préférences", kPreferences),
    Popup("Apparence", kSkin),
    Command(32816, "Statistiques"),
    Command(32815, "Langage..."),
    Command(32801, "Tutoriel"),
    Command(57664, "A propos de"),
};
constexpr SMenuItem kBar[] = {
    Popup("Jeu", kGame),
    Popup("Options", kOptions),
};
}  // namespace fr

// Italian: menu 112.
namespace it {
constexpr SMenuItem kNewGame[] = {
    Command(32772, "Principiante"),
    Command(32773, "Facile"),
    Command(32774, "Intermedio"),
    Command(32775, "Difficile"),
    Command(32776, "Esperto"),
    Command(32811, "Personalizzato"),
};
constexpr SMenuItem kEdit[] = {
    Command(57643, "Annullare"),
    Command(32781, "Cancellare Illegale"),
    Command(32782, "Ricominciare"),
};
constexpr SMenuItem kSolve[] = {
    Command(32812, "Controllare il mio conteggio"),
    Command(32785, "Suggerimento"),
    Command(32786, "Risolvere Cella"),
    Command(32787, "Risolvere Puzzle"),
};
constexpr SMenuItem kGame[] = {
    Popup("Nuova Partita", kNewGame),
    Command(57601, "Caricare"),
    Command(57604, "Salvare"),
    Popup("Editare", kEdit),
    Popup("Risolvere", kSolve),
    kSeparator,
    Command(57665, "Salvare e Uscire"),
};
constexpr SMenuItem kPreferences[] = {
    Command(32790, "Selezionare Cella"),
    Command(32791, "Selezionare Numero"),
    kSeparator,
    Command(32792, "Marchi di matita automatici"),
    Command(32793, "Mostrare Illegale"),
    Command(32795, "Numeri Limitati"),
    Command(32813, "Zona Marchi di Matita"),
    Command(32817, "Crosshatching"),
};
constexpr SMenuItem kSkin[] = {
    Command(32797, "Carta"),
    Command(32798, "Sabbia"),
    Command(32799, "Acciaio"),
};
constexpr SMenuItem kOptions[] = {
    Popup("Preferenze", kPreferences),
    Popup("Sfondo", kSkin),
    Command(32816, "Statistiche"),
    Command(32815, "Linguaggio..."),
    Command(32801, "Istruzioni"),
    Command(57664, "Su di noi"),
};
constexpr SMenuItem kBar[] = {
    Popup("Partita", kGame),
    Popup("Opzioni", kOptions),
};
}  // namespace it

// German: menu 113.
namespace de {
constexpr SMenuItem kNewGame[] = {
    Command(32772, "Anfänger"),
    Command(32773, "Einfach"),
    Command(32774, "Mittel"),
    Command(32775, "Schwer"),
    Command(32776, "Experte"),
    Command(32811, "Benutzerdefiniert"),
};
constexpr SMenuItem kEdit[] = {
    Command(57643, "Rückgängig"),
    Command(32781, "Ungültige löschen"),
    Command(32782, "Wieder starten"),
};
constexpr SMenuItem kSolve[] = {
    Command(32812, "Überprüfen mein Input"),
    Command(32785, "Tipp"),
    Command(32786, "Feld lösen"),
    Command(32787, "Rätsel lösen"),
};
constexpr SMenuItem kGame[] = {
    Popup("Neues Spiel", kNewGame),
    Command(57601, "Laden"),
    Command(57604, "Speichern"),
    Popup("Editieren", kEdit),
    Popup("Lösen", kSolve),
    kSeparator,
    Command(57665, "Speichern und Verlassen"),
};
constexpr SMenuItem kPreferences[] = {
    Command(32790, "Feld Auswählen"),
    Command(32791, "Zahl Auswählen"),
    kSeparator,
    Command(32792, "Auto Pencilmarks"),
    Command(32793, "Falsche Nummern anzeigen"),
    Command(32795, "Zahlen begrenzen"),
    Command(32813, "Zone Pencilmarks"),
    Command(32817, "Kreuzschraffur"),
};
constexpr SMenuItem kSkin[] = {
    Command(32797, "Papier"),
    Command(32798, "Sand"),
    Command(32799, "Stahl"),
};
constexpr SMenuItem kOptions[] = {
    Popup("Einstellungen", kPreferences),
    Popup("Oberfläche", kSkin),
    Command(32816, "Statistiken"),
    Command(32815, "Sprache..."),
    Command(32801, "Lernprogramm"),
    Command(57664, "Über"),
};
constexpr SMenuItem kBar[] = {
    Popup("Spiel", kGame),
    Popup("Optionen", kOptions),
};
}  // namespace de

// Spanish: menu 114.
namespace es {
constexpr SMenuItem kNewGame[] = {
    Command(32772, "Principiante"),
    Command(32773, "Fácil"),
    Command(32774, "Medio"),
    Command(32775, "Difícil"),
    Command(32776, "Experto"),
    Command(32811, "Personalizado"),
};
constexpr SMenuItem kEdit[] = {
    Command(57643, "Deshacer"),
    Command(32781, "Borrar Ilegal"),
    Command(32782, "Reiniciar"),
};
constexpr SMenuItem kSolve[] = {
    Command(32812, "Chequear Mi Puntaje"),
    Command(32785, "Sugerir"),
    Command(32786, "Resolver Celda"),
    Command(32787, "Resolver Puzzle"),
};
constexpr SMenuItem kGame[] = {
    Popup("Nuevo Juego", kNewGame),
    Command(57601, "Cargar"),
    Command(57604, "Guardar"),
    Popup("Editar", kEdit),
    Popup("Resolver", kSolve),
    kSeparator,
    Command(57665, "Guardar y Salir"),
};
constexpr SMenuItem kPreferences[] = {
    Command(32790, "Seleccionar Celda"),
    Command(32791, "Seleccionar Número"),
    kSeparator,
    Command(32792, "Pencilmarks Automatico"),
    Command(32793, "Marcar como Ilegal"),
    Command(32795, "Limitar Números"),
    Command(32813, "Zona Pencilmarks"),
    Command(32817, "Crosshatching"),
};
constexpr SMenuItem kSkin[] = {
    Command(32797, "Papel"),
    Command(32798, "Arena"),
    Command(32799, "Acero"),
};
constexpr SMenuItem kOptions[] = {
    Popup("Preferencias", kPreferences),
    Popup("Apariencia", kSkin),
    Command(32816, "Estadística"),
    Command(32815, "Idioma..."),
    Command(32801, "Tutorial"),
    Command(57664, "Acerca de"),
};
constexpr SMenuItem kBar[] = {
    Popup("Juego", kGame),
    Popup("Opciones", kOptions),
};
}  // namespace es

// Chinese: menu 115.
namespace zh {
constexpr SMenuItem kNewGame[] = {
    Command(32772, "入门"),
    Command(32773, "简单"),
    Command(32774, "中等"),
    Command(32775, "困难"),
    Command(32776, "专家"),
    Command(32811, "定制"),
};
constexpr SMenuItem kEdit[] = {
    Command(57643, "取消"),
    Command(32781, "移除不合法"),
    Command(32782, "重新开始"),
};
constexpr SMenuItem kSolve[] = {
    Command(32812, "检查我的输入"),
    Command(32785, "提示"),
    Command(32786, "解决单元"),
    Command(32787, "解决迷题"),
};
constexpr SMenuItem kGame[] = {
    Popup("新游戏", kNewGame),
    Command(57601, "保存"),
    Command(57604, "读取"),
    Popup("编辑", kEdit),
    Popup("解决", kSolve),
    kSeparator,
    Command(57665, "储存并退出"),
};
constexpr SMenuItem kPreferences[] = {
    Command(32790, "单元选择"),
    Command(32791, "号码选择"),
    kSeparator,
    Command(32792, "自动提示标记"),
    Command(32793, "标记不合法"),
    Command(32795, "限制号码"),
    Command(32813, "提示标记区域"),
    Command(32817, "交叉阴影"),
};
constexpr SMenuItem kSkin[] = {
    Command(32797, "纸张"),
    Command(32798, "沙子"),
    Command(32799, "钢板"),
};
constexpr SMenuItem kOptions[] = {
    Popup("参数选项", kPreferences),
    Popup("皮肤", kSkin),
    Command(32816, "统计"),
    Command(32815, "语言"),
    Command(32801, "指南"),
    Command(57664, "关于"),
};
constexpr SMenuItem kBar[] = {
    Popup("游戏", kGame),
    Popup("选项", kOptions),
};
}  // namespace zh

// Russian: menu 116.
namespace ru {
constexpr SMenuItem kNewGame[] = {
    Command(32772, "Новичок"),
    Command(32773, "Любитель"),
    Command(32774, "Мастер"),
    Command(32775, "Профессионал"),
    Command(32776, "Эксперт"),
    Command(32811, "Своя игра"),
};
constexpr SMenuItem kEdit[] = {
    Command(57643, "Отменить ход"),
    Command(32781, "Стереть неправильные значения"),
    Command(32782, "Начать заново"),
};
constexpr SMenuItem kSolve[] = {
    Command(32812, "Проверить правильность ввода"),
    Command(32785, "Подсказка"),
    Command(32786, "Решить ячейку"),
    Command(32787, "Решить всю доску"),
};
constexpr SMenuItem kGame[] = {
    Popup("Новая игра", kNewGame),
    Popup("Редактирование", kEdit),
    Popup("Решение", kSolve),
    kSeparator,
    Command(57665, "Выход"),
};
constexpr SMenuItem kPreferences[] = {
    Command(32790, "Сначала ячейка"),
    Command(32791, "Сначала цифра"),
    kSeparator,
    Command(32792, "Автоматические пометки"),
    Command(32793, "Выделить неправильные ходы"),
    Command(32795, "Ограничить ввод"),
    Command(32813, "Пометки в одно касание"),
    Command(32817, "Кроссхэтчинг"),
};
constexpr SMenuItem kSkin[] = {
    Command(32797, "Облака"),
    Command(32798, "Огонь"),
    Command(32799, "Дым"),
};
constexpr SMenuItem kOptions[] = {
    Popup("Настройки игры", kPreferences),
    Popup("Фоновый рисунок", kSkin),
    Command(32816, "Статистика"),
    Command(57664, "Об игре"),
};
constexpr SMenuItem kBar[] = {
    Popup("Игра", kGame),
    Popup("Настройки", kOptions),
};
}  // namespace ru

// clang-format on

constexpr std::array<SMenu, kLanguageCount> kMenus = {{
    {kMainResource + 0, 0, en::kBar},
    {kMainResource + 1, 1, fr::kBar},
    {kMainResource + 2, 2, it::kBar},
    {kMainResource + 3, 3, de::kBar},
    {kMainResource + 4, 4, es::kBar},
    {kMainResource + 5, 5, zh::kBar},
    {kMainResource + 6, 6, ru::kBar},
}};

// The soft keys send these commands when pressed; each opens its popup as a drop-down.
constexpr int kGameKeyCommand = 402;
constexpr int kOptionsKeyCommand = 403;

constexpr SSoftKeyBar SoftKeyBar(int language) {
    return {kMainResource + language,
            kMainResource + language,
            {{{kGameKeyCaption + language, 0, kGameKeyCommand, true},
              {kOptionsKeyCaption + language, 1, kOptionsKeyCommand, true}}}};
}

constexpr std::array<SSoftKeyBar, kLanguageCount> kSoftKeyBars = {
    SoftKeyBar(0), SoftKeyBar(1), SoftKeyBar(2), SoftKeyBar(3),
    SoftKeyBar(4), SoftKeyBar(5), SoftKeyBar(6),
};

// Toolbar commands.
constexpr int kQuickNewGame = 32814;
constexpr int kPencilmarks = 32807;
constexpr int kEraser = 32808;
constexpr int kUndo = 57643;
constexpr int kHint = 32785;
constexpr int kExit = 1;  // IDOK

// 36 positions: 22 separators, the five game buttons, 8 separators and the Exit button. The
// separators place the buttons along the bar.
constexpr std::array<int, 36> kToolbarPositions = [] {
    std::array<int, 36> positions{};
    positions.fill(kToolbarSeparator);
    const std::array<int, 5> buttons = {kQuickNewGame, kPencilmarks, kEraser, kUndo, kHint};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        positions[22 + i] = buttons[i];
    }
    positions[35] = kExit;
    return positions;
}();

constexpr SToolbar kToolbar = {kMainResource, kMainResource, 16, 16, kToolbarPositions};

// Ctrl+X, Ctrl+C and Ctrl+V send the framework's Cut, Copy and Paste, which nothing handles.
constexpr std::array<SAccelerator, 5> kAccelerators = {{
    {'N', true, 57600},
    {'Z', true, kUndo},
    {'X', true, 57635},
    {'C', true, 57634},
    {'V', true, 57637},
}};

template <typename T, std::size_t N>
const T* FindById(const std::array<T, N>& table, int id) {
    for (const T& entry : table) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

const SMenu* FindMenu(int id) {
    return FindById(kMenus, id);
}

const SSoftKeyBar* FindSoftKeyBar(int id) {
    return FindById(kSoftKeyBars, id);
}

const SToolbar* FindToolbar(int id) {
    return id == kToolbar.id ? &kToolbar : nullptr;
}

int ToolbarCaptionIndex(int command) {
    switch (command) {
        case kPencilmarks:
            return 1;
        case kEraser:
            return 2;
        case kUndo:
            return 3;
        case kHint:
            return 5;
        case kExit:
            return 6;
        default:
            return 0;  // Quick New Game, and any other command
    }
}

std::span<const SAccelerator> FindAccelerators(int id) {
    if (id != kMainResource) {
        return {};
    }
    return kAccelerators;
}

}  // namespace res
