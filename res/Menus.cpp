// Menus 110..116, soft-key bars 110..116, toolbar 110 and accelerator table 110, and their
// lookups.
#include "res/Menus.h"

#include "res/Strings.h"

namespace res {
namespace {

using Captions = std::array<std::string_view, kLanguageCount>;

// Captions by language (English, French, Italian, German, Spanish, Chinese, Russian); an
// empty caption leaves the entry out of that language's menu.
// clang-format off
namespace caption {
constexpr Captions kBeginner = {"Beginner", "Débutant", "Principiante", "Anfänger", "Principiante", "入门", "Новичок"};
constexpr Captions kEasy = {"Easy", "Facile", "Facile", "Einfach", "Fácil", "简单", "Любитель"};
constexpr Captions kMedium = {"Medium", "Intermédiaire", "Intermedio", "Mittel", "Medio", "中等", "Мастер"};
constexpr Captions kHard = {"Hard", "Difficile", "Difficile", "Schwer", "Difícil", "困难", "Профессионал"};
constexpr Captions kExpert = {"Expert", "Expert", "Esperto", "Experte", "Experto", "专家", "Эксперт"};
constexpr Captions kCustom = {"Custom", "Personnalisé", "Personalizzato", "Benutzerdefiniert", "Personalizado", "定制", "Своя игра"};
constexpr Captions kUndo = {"Undo", "Annuler", "Annullare", "Rückgängig", "Deshacer", "取消", "Отменить ход"};
constexpr Captions kEraseIllegal = {"Erase Illegal", "Effacer Illégal", "Cancellare Illegale", "Ungültige löschen", "Borrar Ilegal", "移除不合法", "Стереть неправильные значения"};
constexpr Captions kRestart = {"Restart", "Redémarrer", "Ricominciare", "Wieder starten", "Reiniciar", "重新开始", "Начать заново"};
constexpr Captions kCheckMyInput = {"Check My Input", "Vérifier Mon Entrée", "Controllare il mio conteggio", "Überprüfen mein Input", "Chequear Mi Puntaje", "检查我的输入", "Проверить правильность ввода"};
constexpr Captions kHint = {"Hint", "Conseil", "Suggerimento", "Tipp", "Sugerir", "提示", "Подсказка"};
constexpr Captions kSolveCell = {"Solve Cell", "Résoudre Cellule", "Risolvere Cella", "Feld lösen", "Resolver Celda", "解决单元", "Решить ячейку"};
constexpr Captions kSolvePuzzle = {"Solve Puzzle", "Résoudre Puzzle", "Risolvere Puzzle", "Rätsel lösen", "Resolver Puzzle", "解决迷题", "Решить всю доску"};
constexpr Captions kNewGameMenu = {"New Game", "Nouveau jeu", "Nuova Partita", "Neues Spiel", "Nuevo Juego", "新游戏", "Новая игра"};
constexpr Captions kLoad = {"Load", "Charger", "Caricare", "Laden", "Cargar", "保存", ""};
constexpr Captions kSave = {"Save", "Sauvegarder", "Salvare", "Speichern", "Guardar", "读取", ""};
constexpr Captions kEditMenu = {"Edit", "Editer", "Editare", "Editieren", "Editar", "编辑", "Редактирование"};
constexpr Captions kSolveMenu = {"Solve", "Résoudre", "Risolvere", "Lösen", "Resolver", "解决", "Решение"};
constexpr Captions kSaveAndExit = {"Save and Exit", "Sauvegarder et Sortir", "Salvare e Uscire", "Speichern und Verlassen", "Guardar y Salir", "储存并退出", "Выход"};
constexpr Captions kCellSelect = {"Cell Select", "Sélectionner Cellule", "Selezionare Cella", "Feld Auswählen", "Seleccionar Celda", "单元选择", "Сначала ячейка"};
constexpr Captions kNumberSelect = {"Number Select", "Sélectionner Chiffre", "Selezionare Numero", "Zahl Auswählen", "Seleccionar Número", "号码选择", "Сначала цифра"};
constexpr Captions kAutoPencilmarks = {"Auto Pencilmarks", "Pencilmarks Automatique", "Marchi di matita automatici", "Auto Pencilmarks", "Pencilmarks Automatico", "自动提示标记", "Автоматические пометки"};
constexpr Captions kFlagIllegal = {"Flag Illegal", "Marquer comme Illégal", "Mostrare Illegale", "Falsche Nummern anzeigen", "Marcar como Ilegal", "标记不合法", "Выделить неправильные ходы"};
constexpr Captions kLimitNumbers = {"Limit Numbers", "Limiter Chiffres", "Numeri Limitati", "Zahlen begrenzen", "Limitar Números", "限制号码", "Ограничить ввод"};
constexpr Captions kZonePencilmarks = {"Zone Pencilmarks", "Zone Pencilmarks", "Zona Marchi di Matita", "Zone Pencilmarks", "Zona Pencilmarks", "提示标记区域", "Пометки в одно касание"};
constexpr Captions kCrosshatching = {"Crosshatching", "Crosshatching", "Crosshatching", "Kreuzschraffur", "Crosshatching", "交叉阴影", "Кроссхэтчинг"};
constexpr Captions kPaper = {"Paper", "Papier", "Carta", "Papier", "Papel", "纸张", "Облака"};
constexpr Captions kSand = {"Sand", "Sable", "Sabbia", "Sand", "Arena", "沙子", "Огонь"};
constexpr Captions kSteel = {"Steel", "Acier", "Acciaio", "Stahl", "Acero", "钢板", "Дым"};
constexpr Captions kPreferencesMenu = {"Preferences", "Préférences", "Preferenze", "Einstellungen", "Preferencias", "参数选项", "Настройки игры"};
constexpr Captions kSkinMenu = {"Skin", "Apparence", "Sfondo", "Oberfläche", "Apariencia", "皮肤", "Фоновый рисунок"};
constexpr Captions kStatistics = {"Statistics", "Statistiques", "Statistiche", "Statistiken", "Estadística", "统计", "Статистика"};
constexpr Captions kLanguage = {"Language...", "Langage...", "Linguaggio...", "Sprache...", "Idioma...", "语言", ""};
constexpr Captions kTutorial = {"Tutorial", "Tutoriel", "Istruzioni", "Lernprogramm", "Tutorial", "指南", ""};
constexpr Captions kAbout = {"About", "A propos de", "Su di noi", "Über", "Acerca de", "关于", "Об игре"};
constexpr Captions kGameMenu = {"Game", "Jeu", "Partita", "Spiel", "Juego", "游戏", "Игра"};
constexpr Captions kOptionsMenu = {"Options", "Options", "Opzioni", "Optionen", "Opciones", "选项", "Настройки"};
}  // namespace caption
// clang-format on

// One entry of the menu in every language: a command, a popup (its entries already made for
// the language) or a separator.
struct SEntry {
    MenuItemKind kind;
    CommandId command;
    const Captions* captions;
    const SMenuItem* items;
    int itemCount;
};

// The entries of one popup in one language.
template <std::size_t N>
struct SItemList {
    std::array<SMenuItem, N> items{};
    int count = 0;

    constexpr std::span<const SMenuItem> Items() const {
        return {items.data(), static_cast<std::size_t>(count)};
    }
};

constexpr SEntry Command(CommandId command, const Captions& captions) {
    return {MenuItemKind::kCommand, command, &captions, nullptr, 0};
}

template <std::size_t N>
constexpr SEntry Popup(const Captions& captions, const SItemList<N>& list) {
    return {MenuItemKind::kPopup, CommandId{}, &captions, list.items.data(), list.count};
}

constexpr SEntry kSeparator = {MenuItemKind::kSeparator, CommandId{}, nullptr, nullptr, 0};

// The entries in a language, leaving out those without a caption in it.
template <int Language, std::size_t N>
constexpr SItemList<N> Localize(const SEntry (&entries)[N]) {
    SItemList<N> list;
    for (const SEntry& e : entries) {
        const std::string_view text =
            e.captions != nullptr ? (*e.captions)[Language] : std::string_view{};
        if (e.kind != MenuItemKind::kSeparator && text.empty()) {
            continue;
        }
        list.items[static_cast<std::size_t>(list.count++)] = {e.kind, e.command, text, e.items,
                                                              e.itemCount};
    }
    return list;
}

// Menu 110 + language: the same structure in every language (the Russian one lacks Load, Save,
// Language... and Tutorial, which have no Russian caption).
template <int L>
struct SMainMenu {
    static constexpr auto kNewGame = Localize<L>({
        Command(CommandId::kBeginner, caption::kBeginner),
        Command(CommandId::kEasy, caption::kEasy),
        Command(CommandId::kMedium, caption::kMedium),
        Command(CommandId::kHard, caption::kHard),
        Command(CommandId::kExpert, caption::kExpert),
        Command(CommandId::kCustom, caption::kCustom),
    });
    static constexpr auto kEdit = Localize<L>({
        Command(CommandId::kUndo, caption::kUndo),
        Command(CommandId::kEraseIllegal, caption::kEraseIllegal),
        Command(CommandId::kRestart, caption::kRestart),
    });
    static constexpr auto kSolve = Localize<L>({
        Command(CommandId::kCheckMyInput, caption::kCheckMyInput),
        Command(CommandId::kHint, caption::kHint),
        Command(CommandId::kSolveCell, caption::kSolveCell),
        Command(CommandId::kSolvePuzzle, caption::kSolvePuzzle),
    });
    static constexpr auto kGame = Localize<L>({
        Popup(caption::kNewGameMenu, kNewGame),
        Command(CommandId::kLoad, caption::kLoad),
        Command(CommandId::kSave, caption::kSave),
        Popup(caption::kEditMenu, kEdit),
        Popup(caption::kSolveMenu, kSolve),
        kSeparator,
        Command(CommandId::kSaveAndExit, caption::kSaveAndExit),
    });
    static constexpr auto kPreferences = Localize<L>({
        Command(CommandId::kCellSelect, caption::kCellSelect),
        Command(CommandId::kNumberSelect, caption::kNumberSelect),
        kSeparator,
        Command(CommandId::kAutoPencilmarks, caption::kAutoPencilmarks),
        Command(CommandId::kFlagIllegal, caption::kFlagIllegal),
        Command(CommandId::kLimitNumbers, caption::kLimitNumbers),
        Command(CommandId::kZonePencilmarks, caption::kZonePencilmarks),
        Command(CommandId::kCrosshatching, caption::kCrosshatching),
    });
    static constexpr auto kSkin = Localize<L>({
        Command(CommandId::kPaper, caption::kPaper),
        Command(CommandId::kSand, caption::kSand),
        Command(CommandId::kSteel, caption::kSteel),
    });
    static constexpr auto kOptions = Localize<L>({
        Popup(caption::kPreferencesMenu, kPreferences),
        Popup(caption::kSkinMenu, kSkin),
        Command(CommandId::kStatistics, caption::kStatistics),
        Command(CommandId::kLanguage, caption::kLanguage),
        Command(CommandId::kTutorial, caption::kTutorial),
        Command(CommandId::kAbout, caption::kAbout),
    });
    static constexpr auto kBar = Localize<L>({
        Popup(caption::kGameMenu, kGame),
        Popup(caption::kOptionsMenu, kOptions),
    });

    static constexpr SMenu kMenu = {kMainResource + L, L, kBar.Items()};
};

constexpr std::array<SMenu, kLanguageCount> kMenus = {
    SMainMenu<0>::kMenu, SMainMenu<1>::kMenu, SMainMenu<2>::kMenu, SMainMenu<3>::kMenu,
    SMainMenu<4>::kMenu, SMainMenu<5>::kMenu, SMainMenu<6>::kMenu,
};

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

// 36 positions: 22 separators, the five game buttons, 8 separators and the Exit button. The
// separators place the buttons along the bar.
constexpr std::array<CommandId, 36> kToolbarPositions = [] {
    std::array<CommandId, 36> positions{};
    positions.fill(kToolbarSeparator);
    const std::array buttons = {CommandId::kQuickNewGame, CommandId::kPencilmarks,
                                CommandId::kEraser, CommandId::kUndo, CommandId::kHint};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        positions[22 + i] = buttons[i];
    }
    positions[35] = CommandId::kExit;
    return positions;
}();

constexpr SToolbar kToolbar = {kMainResource, kMainResource, 16, 16, kToolbarPositions};

// Ctrl+X, Ctrl+C and Ctrl+V send the framework's Cut, Copy and Paste, which nothing handles.
constexpr std::array<SAccelerator, 5> kAccelerators = {{
    {'N', true, CommandId::kNew},
    {'Z', true, CommandId::kUndo},
    {'X', true, CommandId::kCut},
    {'C', true, CommandId::kCopy},
    {'V', true, CommandId::kPaste},
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

const SMenuItem* SoftKeyPopup(int language, int key) {
    const int index = LanguageIndex(language);
    const SMenu* menu = FindMenu(kMainResource + index);
    const SSoftKeyBar* bar = FindSoftKeyBar(kMainResource + index);
    if (menu == nullptr || bar == nullptr || key < 0 || key > 1) {
        return nullptr;
    }
    const int popup = bar->keys[static_cast<std::size_t>(key)].popupIndex;
    if (popup < 0 || static_cast<std::size_t>(popup) >= menu->popups.size()) {
        return nullptr;
    }
    return &menu->popups[static_cast<std::size_t>(popup)];
}

const SToolbar* FindToolbar(int id) {
    return id == kToolbar.id ? &kToolbar : nullptr;
}

int ToolbarCaptionIndex(CommandId command) {
    switch (command) {
        case CommandId::kPencilmarks:
            return 1;
        case CommandId::kEraser:
            return 2;
        case CommandId::kUndo:
            return 3;
        case CommandId::kHint:
            return 5;
        case CommandId::kExit:
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
