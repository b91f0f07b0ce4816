// The game's texts in its seven languages, and their lookups.
#include "res/Strings.h"

#include <array>

namespace res {
namespace {

// One text in each language, in language order.
using TextRow = std::array<std::string_view, kLanguageCount>;

struct SMessage {
    std::string_view name;
    TextRow texts;
};

// The message list, in the order of MessageId.
constexpr std::array<SMessage, kMessageCount> kMessages = {{
    {"MsgCannotSolveFromHere",
     {"The puzzle can not be solved from this position. Please, check for invalid values.",
      "A partir de cette position on ne peut pas résoudre le puzzle. Veuillez vérifier les valeurs "
      "invalides.",
      "Il puzzle non si può risolvere da questa posizione. Si prega di controllare i valori "
      "invalidi.",
      "Das Rätsel kann nicht von dieser Position gelöst werden. Überprüfen Sie bitte, ob ungültige "
      "Werte es gibt.",
      "El puzzle no puede resolverse desde esta posición. Por favor, revise si existen valores "
      "inválidos.",
      "无法从这个位置解决迷题。请检查无效值。",
      "Решетка содержит ошибки. Дальнейшее решение головоломки невозможно."}},
    {"MsgCorrectSoFar",
     {"The solution is correct so far.", "La solution est correcte jusqu'ici.",
      "Finora la soluzione è corretta.", "Die Lösung ist bis jetzt richtig.",
      "La solución es correcta hasta ahora.", "当前方案正确",
      "Решетка не содержит ошибок. Вы можете продолжать."}},
    {"MsgCustomValid",
     {"The puzzle seems to be valid. You can now save and try to solve it yourself first.",
      "Le puzzle semble être valide. Vous pouvez maintenant sauvegarder et tenter de le résoudre "
      "vous même d'abord.",
      "Il puzzle sembra d'essere valido. Adesso puoi salvare e cercare prima di risolverlo tu "
      "stesso.",
      "Das Rätsel scheint gültig zu sein. Sie können jetzt speichern und versuchen, es zuerst "
      "selbst zu lösen.",
      "El puzzle parece ser válido. Ahora puede guardarlo e intentar resolverlo usted primero.",
      "迷题有效，现在你可以尝试依靠自己的脑力解决迷题了。",
      "Теперь вы можете сохранить головоломку и попробовать решить ее самостоятельно."}},
    {"MsgCustomInvalid",
     {"This is not a valid Sudoku puzzle.", "Ce n'est pas un puzzle Sudoku valide.",
      "Questo non è un puzzle Sudoku valido.", "Das ist kein gültiges Sudoku-Rätsel.",
      "Este no es un puzzle Sudoku válido.", "不是有效数独迷题",
      "Этот набор цифр не является головоломкой Судоку."}},
    {"MsgEnterCustomGivens",
     {"Place fixed numbers in the grid. When you are done, click on the New Game icon.",
      "Placer les chiffres fixes dans la grille. Quand vous êtes prêt, cliquez sur l'icône Nouveau "
      "Jeu.",
      "Mettere i numeri conosciuti nella griglia. Poi, cliccare sull'icona Partita Nuova.",
      "Tragen Sie \"feste\" Ziffer im Raster ein. Wenn Sie das gemacht haben, klicken Sie auf "
      "Neues Spiel.",
      "Coloque números fijos en la grilla. Cuando termine, haga clic en el icono Nuevo Juego.",
      "放置固定号码在栅格内。当你准备好请点击新游戏图标。",
      "Расставьте цифры в ячейки с фиксированными значениями. Когда закончите, нажмите клавишу "
      "\"ОК\" на пульте."}},
    {"MsgNoSingleLeft",
     {"No cell with a single possible solution left. Use other tactics.",
      "Il n'y a pas de cellule avec une solution unique possible. Veuillez employer d'autres "
      "tactiques.",
      "Non resta una cella che abbia un'unica soluzione possibile. Usare altre tattiche.",
      "Bleibt kein Feld mit einer einzigen und gültigen Lösung übrig. Verwenden Sie andere "
      "Taktiken.",
      "No quedan celdas con una solución única posible. Utilice otras tácticas.",
      "没有单元可供移动，是否采用新的战术",
      "Не осталось ячеек с единственно возможным решением. Используйте другую тактику."}},
    {"MsgFilesMissing",
     {"Required files not found. Please, re-install the software.",
      "Fichiers requis non trouvés. Veuillez ré-installer le logiciel.",
      "Non si trovano i files. Si prega di riinstallare il software.",
      "Erforderliche Dateien konnten nicht gefunden werden. Installieren Sie bitte die Software "
      "nochmals.",
      "Faltan archivos requeridos. Por favor, re instale el software.",
      "必备的文件未找到。请重新安装本软件",
      "Не найдены необходимые файлы. Пожалуйста, переустановите игру."}},
    {"MsgConfirmNewGame",
     {"Any unsaved progress in the game will be lost. Would you like to start a new game?",
      "N'importe quel progrès non sauvegardé dans le jeu sera perdu. Désirez-vous commencer un "
      "nouveau jeu?",
      "Qualsiasi avanzamento nel gioco non salvato si perderà. Vorresti cominciare una partita "
      "nuova?",
      "Sie werden die ungespeicherte Fortschritte verlieren. Möchten Sie ein neues Spiel starten?",
      "Se perderán progresos no guardados del juego. Desea comenzar un nuevo juego?",
      "未储存的进度将丢失。你想重新开启新游戏吗？",
      "Не сохраненные данные об игре будут потеряны. Вы действительно хотите начать новую игру?"}},
    {"MsgSolvedStartNew",
     {"You have just successfully solved another Sudoku puzzle! There are unlimited new puzzles "
      "waiting for you. Start a new one?",
      "Vous  avez résolu avec succès  un autre puzzle Sudoku. Il y a de nouveaux puzzles illimités "
      "vous attendant. Commencer un nouveau jeu?",
      "Hai risolto con successo un altro puzzle Sudoku! Ci sono moltissimi nuovi puzzle "
      "aspettandoti. Vuoi cominciare uno nuovo?",
      "Sie haben gerade noch ein Sudoku-Rätsel erfolgreich gelöst! Es gibt viele neue Rätsel, die "
      "auf Sie warten. Starten Sie einneues Spiel?",
      "Ha resuelto otro puzzle Sudoku! Hay muchísimos  puzzles nuevos esperando por usted. "
      "Comenzar uno nuevo?",
      "您已经顺利的解决了另一个数独迷题！更多新的迷题等着你去解决，开始新的一局吗？",
      "Вы только что решили очередную головоломку Судоку! Хотите начать новую игру?"}},
    {"MsgInvalidSolution",
     {"This is not a valid solution. Look over the grid for illegal values.",
      "Ce n'est pas une solution valide. Examinez la grille pour trouver des valeurs illégales.",
      "Questa non è una soluzione valida. Cercare valori illegali nella griglia.",
      "Das ist keine gültige Lösung. Suchen Sie im Raster nach falschen Zahlen.",
      "Esta solución no es válida. Busque valores ilegales en la grilla.",
      "不是有效解决方案。请检查格子内的值是否合乎规则", "Решетка содержит ошибки."}},
    {"MsgConfirmResetStats",
     {"Are you sure you want to reset statistics?",
      "Êtes-vous sûr que vous voulez remettre à zéro des statistiques?",
      "Siete sicuri che desiderate ripristinare le statistiche?",
      "Sind Sie sicher, daß Sie Statistiken zurückstellen möchten?",
      "Es usted seguro que usted desea reajustar estadística?", "你确定要重置游戏统计？",
      "Вы действительно хотите удалить статистику игр?"}},
}};

// The toolbar captions by caption index. Pencilmarks and Eraser hold the caption shown while
// the mode is off, a line feed, and the one shown while it is on. As the game has always had
// them: the Chinese Pencilmarks caption has a blank after its line feed (the Eraser caption
// none), and every language but English names the Exit button in Russian.
constexpr std::array<TextRow, kTipCount> kTips = {
    // 0 Quick New Game
    TextRow{"Quick new game", "Nouveau Jeu Rapide", "Partita Nuova Subito", "Neues Schnellspiel",
            "Nuevo Juego Rápido", "快速开启新游戏", "Новая игра"},
    // 1 Pencilmarks
    TextRow{"Pencilmarks on\nPencilmarks off", "Pencilmarks on\nPencilmarks off",
            "Marchi di matita on\nMarchi di matita off", "Pencilmarks on\nPencilmarks off",
            "Pencilmarks on\nPencilmarks off", "提示标记开\n 关", "Пометки вкл.\nПометки выкл."},
    // 2 Eraser
    TextRow{"Eraser on\nEraser off", "Effaceur on\nEffaceur off", "Gomma on\nGomma off",
            "Radierer on\nRadierer off", "Borrador on\nBorrador off", "清除开\n关",
            "Ластик вкл.\nЛастик выкл."},
    // 3 Undo
    TextRow{"Undo the last action", "Défaire le dernier coup", "Annullare ultima azione",
            "Letzte Aktion rückgängig machen", "Deshacer la última acción", "解除", "Ход назад"},
    // 4 Check My Input
    TextRow{"Check my input", "Vérifier mon entrée", "Controllare il mio conteggio",
            "Überprüfen mein Input", "Chequear mi puntaje", "检查我的输入",
            "Проверить правильность ввода"},
    // 5 Hint
    TextRow{"Hint", "Conseil", "Suggerimento", "Tipp", "Sugerir", "提示", "Подсказка"},
    // 6 Exit
    TextRow{"Exit", "Выход", "Выход", "Выход", "Выход", "Выход", "Выход"},
};

// The FileError box.
constexpr TextRow kFileError = {
    "The file could not be read or written. The game in play is kept.",
    "Le fichier n'a pas pu être lu ou écrit. La partie en cours est conservée.",
    "Non è stato possibile leggere o scrivere il file. La partita in corso è conservata.",
    "Die Datei konnte nicht gelesen oder geschrieben werden. Das laufende Spiel bleibt erhalten.",
    "No se pudo leer ni escribir el archivo. Se conserva la partida en curso.",
    "无法读取或写入该文件。当前的游戏保持不变。",
    "Не удалось прочитать или записать файл. Текущая игра продолжается.",
};

// In the order of ShellText.
constexpr std::array<TextRow, kShellTextCount> kShellTexts = {{
    {"OK", "OK", "OK", "OK", "Aceptar", "确定", "ОК"},
    {"Yes", "Oui", "Sì", "Ja", "Sí", "是", "Да"},
    {"No", "Non", "No", "Nein", "No", "否", "Нет"},
    {"Cancel", "Annuler", "Annulla", "Abbrechen", "Cancelar", "取消", "Отмена"},
    {"File name:", "Nom du fichier :", "Nome del file:", "Dateiname:", "Nombre de archivo:",
     "文件名：", "Имя файла:"},
    {"The game is saved.", "La partie est enregistrée.", "La partita è salvata.",
     "Das Spiel ist gespeichert.", "La partida está guardada.", "游戏已保存。", "Игра сохранена."},
    {"Play on", "Continuer à jouer", "Continua a giocare", "Weiterspielen", "Seguir jugando",
     "继续游戏", "Продолжить игру"},
    {"Working…", "Calcul en cours…", "Elaborazione…", "Wird berechnet…", "Calculando…", "正在计算…",
     "Вычисление…"},
    {"This browser cannot keep the game: it is lost when the page is closed.",
     "Ce navigateur ne peut pas conserver la partie : elle sera perdue à la fermeture de la page.",
     "Questo browser non può conservare la partita: andrà persa alla chiusura della pagina.",
     "Dieser Browser kann das Spiel nicht aufbewahren: Es geht verloren, wenn die Seite "
     "geschlossen wird.",
     "Este navegador no puede conservar la partida: se perderá al cerrar la página.",
     "此浏览器无法保存游戏：关闭页面后游戏将丢失。",
     "Этот браузер не может сохранить игру: она пропадёт при закрытии страницы."},
}};

// The detail of a box that names a file: in the order of FileReason.
constexpr std::array<TextRow, kFileReasonCount> kFileReasons = {{
    {"the file does not exist", "le fichier n'existe pas", "il file non esiste",
     "die Datei existiert nicht", "el archivo no existe", "文件不存在", "файл не существует"},
    {"it is a folder or a device, not a file",
     "c'est un dossier ou un périphérique, pas un fichier",
     "è una cartella o un dispositivo, non un file",
     "es ist ein Ordner oder ein Gerät, keine Datei",
     "es una carpeta o un dispositivo, no un archivo", "这是文件夹或设备，不是文件",
     "это папка или устройство, а не файл"},
    {"permission denied", "permission refusée", "permesso negato", "Zugriff verweigert",
     "permiso denegado", "权限不足", "доступ запрещён"},
    {"the folder does not exist", "le dossier n'existe pas", "la cartella non esiste",
     "der Ordner existiert nicht", "la carpeta no existe", "文件夹不存在", "папка не существует"},
    {"the folder cannot be written", "le dossier n'est pas accessible en écriture",
     "non si può scrivere nella cartella", "in den Ordner kann nicht geschrieben werden",
     "no se puede escribir en la carpeta", "无法写入该文件夹", "в папку нельзя записывать"},
    {"the disk is full", "le disque est plein", "il disco è pieno", "der Datenträger ist voll",
     "el disco está lleno", "磁盘已满", "диск заполнен"},
    {"an input/output error occurred", "une erreur d'entrée/sortie s'est produite",
     "si è verificato un errore di input/output", "ein Ein-/Ausgabefehler ist aufgetreten",
     "se produjo un error de entrada/salida", "发生输入/输出错误", "произошла ошибка ввода-вывода"},
    {"not a saved game", "ce n'est pas une partie sauvegardée", "non è una partita salvata",
     "kein gespeichertes Spiel", "no es una partida guardada", "不是已保存的游戏",
     "это не сохранённая игра"},
    {"damaged: a value is out of its range", "endommagé : une valeur est hors de sa plage",
     "danneggiato: un valore è fuori dal suo intervallo",
     "beschädigt: ein Wert liegt außerhalb seines Bereichs",
     "dañado: un valor está fuera de su rango", "已损坏：某个值超出其范围",
     "повреждён: значение вне допустимого диапазона"},
    {"no web browser was found", "aucun navigateur web n'a été trouvé",
     "non è stato trovato alcun browser web", "es wurde kein Webbrowser gefunden",
     "no se encontró ningún navegador web", "未找到网页浏览器", "веб-браузер не найден"},
}};

// The TutorialError box.
constexpr TextRow kTutorialError = {
    "The tutorial page could not be opened. Open this file in a web browser: %s",
    "La page du didacticiel n'a pas pu être ouverte. Ouvrez ce fichier dans un navigateur "
    "web : %s",
    "Impossibile aprire la pagina del tutorial. Apri questo file in un browser web: %s",
    "Die Seite der Anleitung konnte nicht geöffnet werden. Öffnen Sie diese Datei in einem "
    "Webbrowser: %s",
    "No se pudo abrir la página del tutorial. Abra este archivo en un navegador web: %s",
    "无法打开教程页面。请在网页浏览器中打开此文件：%s",
    "Не удалось открыть страницу учебника. Откройте этот файл в браузере: %s",
};

// The DataFolderReadOnly box.
constexpr TextRow kDataFolderReadOnly = {
    "your game and statistics will not be kept: %s cannot be written",
    "votre partie et vos statistiques ne seront pas conservées : %s n'est pas accessible en "
    "écriture",
    "la partita e le statistiche non saranno conservate: non si può scrivere in %s",
    "Ihr Spiel und Ihre Statistik werden nicht gespeichert: %s kann nicht beschrieben werden",
    "su partida y sus estadísticas no se guardarán: no se puede escribir en %s",
    "您的游戏和统计数据将不会被保存：无法写入 %s",
    "ваша игра и статистика не будут сохранены: в папку %s нельзя записывать",
};

struct SStringEntry {
    int id;
    std::string_view text;
};

// The string table.
constexpr std::array<SStringEntry, 16> kStringTable = {{
    {kDocumentString,
     "Судоку\n\nСудоку\nSudoku Files (*.sdk)\n.sdk\nSudoku.Document\nSudoku.Document"},
    {310, "Game"},
    {311, "Jeu"},
    {312, "Partita"},
    {313, "Spiel"},
    {314, "Juego"},
    {315, "游戏"},
    {316, "Игра"},
    {320, "Options"},
    {321, "Options"},
    {322, "Opzioni"},
    {323, "Optionen"},
    {324, "Opciones"},
    {325, "选择"},
    {326, "Настройки"},
    {kAppTitle, "Судоку"},
}};

constexpr bool InRange(int index, int count) {
    return index >= 0 && index < count;
}

}  // namespace

std::string_view FindString(int id) {
    for (const SStringEntry& entry : kStringTable) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return {};
}

std::string_view DocumentField(DocField field) {
    if (static_cast<int>(field) < 0) {
        return {};
    }
    std::string_view rest = FindString(kDocumentString);
    for (int i = 0; i < static_cast<int>(field); ++i) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(end + 1);
    }
    return rest.substr(0, rest.find('\n'));
}

std::string_view MessageText(int language, int message) {
    if (!InRange(language, kLanguageCount) || !InRange(message, kMessageCount)) {
        return {};
    }
    return kMessages[static_cast<std::size_t>(message)].texts[static_cast<std::size_t>(language)];
}

std::string_view MessageName(int message) {
    if (!InRange(message, kMessageCount)) {
        return {};
    }
    return kMessages[static_cast<std::size_t>(message)].name;
}

std::string_view TipText(int language, int index) {
    if (!InRange(language, kLanguageCount) || !InRange(index, kTipCount)) {
        return {};
    }
    return kTips[static_cast<std::size_t>(index)][static_cast<std::size_t>(language)];
}

std::string_view FileErrorText(int language) {
    if (!InRange(language, kLanguageCount)) {
        return {};
    }
    return kFileError[static_cast<std::size_t>(language)];
}

std::string_view ShellTextOf(int language, ShellText text) {
    const int index = static_cast<int>(text);
    if (!InRange(language, kLanguageCount) || !InRange(index, kShellTextCount)) {
        return {};
    }
    return kShellTexts[static_cast<std::size_t>(index)][static_cast<std::size_t>(language)];
}

std::string_view FileReasonText(int language, FileReason reason) {
    const int index = static_cast<int>(reason);
    if (!InRange(language, kLanguageCount) || !InRange(index, kFileReasonCount)) {
        return {};
    }
    return kFileReasons[static_cast<std::size_t>(index)][static_cast<std::size_t>(language)];
}

std::string_view TutorialErrorText(int language) {
    if (!InRange(language, kLanguageCount)) {
        return {};
    }
    return kTutorialError[static_cast<std::size_t>(language)];
}

std::string_view DataFolderReadOnlyText(int language) {
    if (!InRange(language, kLanguageCount)) {
        return {};
    }
    return kDataFolderReadOnly[static_cast<std::size_t>(language)];
}

std::string_view LanguageName(int language) {
    if (!InRange(language, kLanguageCount)) {
        return {};
    }
    return kLanguages[static_cast<std::size_t>(language)].name;
}

std::string_view TutorialLetter(int language) {
    if (!InRange(language, kLanguageCount)) {
        return {};
    }
    return kLanguages[static_cast<std::size_t>(language)].tutorialLetter;
}

}  // namespace res
