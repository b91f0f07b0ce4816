// The Qt platform a window would start on, checked before QApplication is built.
#include "shell/QtPlatform.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QtGlobal>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string_view>

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// The value of the last `-option VALUE` (one or two dashes), if any.
std::optional<std::string> QtOption(const std::vector<std::string>& args, std::string_view name) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.substr(arg.starts_with("--") ? 2 : 1) == name) {
            value = args[++i];
        }
    }
    return value;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

// The keys of the platform plugins in the folders Qt searches.
std::set<std::string> PlatformPlugins(const std::vector<std::string>& args) {
    std::vector<QString> folders;
    if (const auto path = QtOption(args, "platformpluginpath")) {
        folders.push_back(QString::fromStdString(*path));
    }
    if (IsSet("QT_QPA_PLATFORM_PLUGIN_PATH")) {
        folders.push_back(QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH")));
    }
    for (const QString& path : QString::fromLocal8Bit(qgetenv("QT_PLUGIN_PATH")).split(u':')) {
        if (!path.isEmpty()) {
            folders.push_back(path + QStringLiteral("/platforms"));
        }
    }
    folders.push_back(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    std::set<std::string> keys;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            // Reads the plugin's metadata without loading it.
            const QPluginLoader plugin(dir.filePath(file));
            const QJsonArray names = plugin.metaData()
                                         .value(QStringLiteral("MetaData"))
                                         .toObject()
                                         .value(QStringLiteral("Keys"))
                                         .toArray();
            for (const auto& name : names) {
                keys.insert(name.toString().toLower().toStdString());
            }
        }
    }
    return keys;
}

std::string Lower(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

// Qt's messages held back while a CQtStartGuard lives, and the line for a fatal one.
std::string g_fatalLine;
std::vector<std::string> g_held;
QtMessageHandler g_previous = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "sudoku: %s\n", g_fatalLine.c_str());
        std::fflush(stderr);
        ::_exit(2);
    }
    g_held.push_back(qFormatLogMessage(type, context, message).toStdString());
}

}  // namespace

std::optional<std::string> WhyNoWindowPlatform(const std::vector<std::string>& qtArguments) {
    std::string from;
    std::string requested;
    if (auto option = QtOption(qtArguments, "platform")) {
        from = "-platform " + *option;
        requested = *option;
    } else if (IsSet("QT_QPA_PLATFORM")) {
        requested = std::getenv("QT_QPA_PLATFORM");
        from = "QT_QPA_PLATFORM=" + requested;
    } else {
        // Qt's own choice: the display there is.
        requested = "xcb;wayland";
    }
    const std::set<std::string> plugins = PlatformPlugins(qtArguments);
    const bool display = IsSet("DISPLAY") || QtOption(qtArguments, "display").has_value();
    bool known = false;
    for (const std::string& entry : Split(requested, ';')) {
        const std::string name = Lower(entry.substr(0, entry.find(':')));
        if (plugins.count(name) == 0) {
            continue;
        }
        known = true;
        if (name == "xcb"                 ? display
            : name.starts_with("wayland") ? IsSet("WAYLAND_DISPLAY")
                                          : true) {
            return std::nullopt;
        }
    }
    if (known || from.empty()) {
        return "no display: set DISPLAY, or use --script";
    }
    std::string line = from + ": Qt has no such platform (it has";
    for (const std::string& name : plugins) {
        line += ' ' + name;
    }
    return line + ")";
}

std::vector<std::string> WithoutPlatform(const std::vector<std::string>& qtArguments) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < qtArguments.size(); ++i) {
        const std::string_view arg = qtArguments[i];
        if (arg.substr(arg.starts_with("--") ? 2 : 1) == "platform" && i + 1 < qtArguments.size()) {
            ++i;
            continue;
        }
        kept.push_back(qtArguments[i]);
    }
    return kept;
}

CQtStartGuard::CQtStartGuard(std::string line) {
    g_fatalLine = std::move(line);
    g_previous = qInstallMessageHandler(HoldMessage);
}

CQtStartGuard::~CQtStartGuard() {
    qInstallMessageHandler(g_previous);
    for (const std::string& message : g_held) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    g_held.clear();
}
