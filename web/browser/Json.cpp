// What the page's script is handed to show, as JSON.
#include "web/browser/Json.h"

#include <cstdio>
#include <span>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/BmpReader.h"
#include "platform/Dialog.h"
#include "platform/PngWriter.h"
#include "platform/Screen.h"
#include "res/Bitmaps.h"
#include "res/Dialogs.h"

namespace webjson {
namespace {

// Dialog units to device pixels, as the desktop's dialogs place their controls.
int PixelsX(int units) {
    return units * 6 / 4;
}
int PixelsY(int units) {
    return units * 13 / 8;
}

const char* KindName(res::ControlKind kind) {
    switch (kind) {
        case res::ControlKind::kText:
            return "text";
        case res::ControlKind::kCentredText:
            return "centred";
        case res::ControlKind::kPicture:
            return "picture";
        case res::ControlKind::kGroupBox:
            return "group";
        case res::ControlKind::kDropDownList:
            return "list";
        case res::ControlKind::kPushButton:
            return "button";
        case res::ControlKind::kRadioButton:
            return "radio";
    }
    return "text";
}

std::string Base64(const std::vector<uint8_t>& bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t chunk = (uint32_t{bytes[i]} << 16U) |
                               (i + 1 < bytes.size() ? uint32_t{bytes[i + 1]} << 8U : 0U) |
                               (i + 2 < bytes.size() ? uint32_t{bytes[i + 2]} : 0U);
        out += kDigits[(chunk >> 18U) & 63U];
        out += kDigits[(chunk >> 12U) & 63U];
        out += i + 1 < bytes.size() ? kDigits[(chunk >> 6U) & 63U] : '=';
        out += i + 2 < bytes.size() ? kDigits[chunk & 63U] : '=';
    }
    return out;
}

// A built-in bitmap as a PNG data URL; empty when it cannot be read.
std::string Picture(int id) {
    Bitmap bitmap;
    if (!DecodeBmp(res::BitmapResource(id), bitmap)) {
        return {};
    }
    return "data:image/png;base64," + Base64(EncodePng(bitmap));
}

void Items(std::string& out, std::span<const res::SMenuItem> items,
           const std::function<SCommandState(CommandId)>& rule) {
    out += '[';
    bool first = true;
    for (const res::SMenuItem& item : items) {
        out += first ? "" : ",";
        first = false;
        switch (item.kind) {
            case res::MenuItemKind::kSeparator:
                out += R"({"separator":true})";
                break;
            case res::MenuItemKind::kPopup:
                out += R"({"caption":)" + Quote(item.caption) + R"(,"items":)";
                Items(out, item.Items(), rule);
                out += '}';
                break;
            case res::MenuItemKind::kCommand: {
                const SCommandState state = rule(item.command);
                out += R"({"command":)" + std::to_string(static_cast<int>(item.command)) +
                       R"(,"caption":)" + Quote(item.caption) + R"(,"enabled":)" +
                       (state.enabled ? "true" : "false") + R"(,"checked":)" +
                       (state.checked ? "true" : "false") + '}';
                break;
            }
        }
    }
    out += ']';
}

const char* KindName(SAccessibleItem::EKind kind) {
    switch (kind) {
        case SAccessibleItem::EKind::kSplash:
            return "splash";
        case SAccessibleItem::EKind::kCell:
            return "cell";
        case SAccessibleItem::EKind::kPalette:
            return "palette";
        case SAccessibleItem::EKind::kSoftKey:
            return "softkey";
        case SAccessibleItem::EKind::kButton:
            return "button";
        case SAccessibleItem::EKind::kClock:
            return "clock";
    }
    return "button";
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string Menu(int key, int left, int top, const res::SMenuItem& popup,
                 const std::function<SCommandState(CommandId)>& rule) {
    std::string out = R"({"key":)" + std::to_string(key) + R"(,"left":)" + std::to_string(left) +
                      R"(,"top":)" + std::to_string(top) + R"(,"items":)";
    Items(out, popup.Items(), rule);
    return out + '}';
}

std::string Dialog(IDialog& dialog, int width, std::string_view ok) {
    const res::SDialogTemplate* layout = res::FindDialog(dialog.TemplateId());
    std::string out = R"({"caption":)" + Quote(layout != nullptr ? layout->caption : "") +
                      R"(,"ok":)" + Quote(ok) + R"(,"top":)" + std::to_string(kCommandBarHeight) +
                      R"(,"controls":[)";
    if (layout == nullptr) {
        return out + "]}";
    }
    std::vector<const res::SDialogControl*> shown;
    std::vector<IDialog::SPlace> places;
    for (const res::SDialogControl& control : layout->controls) {
        if ((control.flags & res::kHidden) != 0U) {
            continue;
        }
        shown.push_back(&control);
        places.push_back({control.id, PixelsX(control.x), PixelsY(control.y),
                          PixelsX(control.width), PixelsY(control.height)});
    }
    dialog.PlaceControls(width, places);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const res::SDialogControl& control = *shown[i];
        const IDialog::SPlace& place = places[i];
        const int id = control.id;
        out += i == 0 ? "" : ",";
        out += R"({"id":)" + std::to_string(id) + R"(,"kind":")" + KindName(control.kind) +
               R"(","x":)" + std::to_string(place.left) + R"(,"y":)" + std::to_string(place.top) +
               R"(,"w":)" + std::to_string(place.width) + R"(,"h":)" + std::to_string(place.height);
        const std::string text = dialog.Text(id).value_or(std::string(control.text));
        out += R"(,"text":)" + Quote(text);
        switch (control.kind) {
            case res::ControlKind::kRadioButton:
                out += R"(,"checked":)" + std::string(dialog.IsChecked(id) ? "true" : "false");
                break;
            case res::ControlKind::kDropDownList: {
                out +=
                    R"(,"selection":)" + std::to_string(dialog.Selection(id)) + R"(,"entries":[)";
                bool first = true;
                for (const std::string& entry : dialog.Entries(id)) {
                    out += (first ? "" : ",") + Quote(entry);
                    first = false;
                }
                out += ']';
                break;
            }
            case res::ControlKind::kPicture:
                out += R"(,"picture":)" + Quote(Picture(control.image));
                break;
            default:
                break;
        }
        out += '}';
    }
    return out + "]}";
}

std::string Screen(std::span<const SAccessibleItem> items, std::string_view board, int hint) {
    std::string out =
        R"({"board":)" + Quote(board) + R"(,"hint":)" + std::to_string(hint) + R"(,"items":[)";
    bool first = true;
    for (const SAccessibleItem& item : items) {
        out += first ? "" : ",";
        first = false;
        out += R"({"kind":")" + std::string(KindName(item.kind)) + R"(","index":)" +
               std::to_string(item.index) + R"(,"name":)" + Quote(item.name) + R"(,"x":)" +
               std::to_string(item.rect.left) + R"(,"y":)" + std::to_string(item.rect.top) +
               R"(,"w":)" + std::to_string(item.rect.Width()) + R"(,"h":)" +
               std::to_string(item.rect.Height()) + R"(,"enabled":)" + Bool(item.enabled) +
               R"(,"checkable":)" + Bool(item.checkable) + R"(,"checked":)" + Bool(item.checked) +
               R"(,"selected":)" + Bool(item.selected) + R"(,"invalid":)" + Bool(item.invalid) +
               R"(,"actionable":)" + Bool(item.actionable) + '}';
    }
    return out + "]}";
}

}  // namespace webjson
