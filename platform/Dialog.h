// IDialog: the state and handlers of one modal dialog, as the prompts seam runs it.
#pragma once

#include <optional>
#include <span>
#include <string>

// The three modal dialogs of the game (Language 140, Statistics 500 + language, About 600 +
// language) keep their state and handlers in plain C++ (ui/); the seam that shows them (Qt
// widgets, or a script's queued actions) calls these handlers and ends the dialog with kIdOk
// or kIdCancel (platform/Shell.h). What the controls show is read back from the dialog after
// OnInitDialog and after every handler, as the framework transfers a dialog's members to its
// controls.
class IDialog {
public:
    virtual ~IDialog() = default;

    // The template the dialog is made from.
    virtual int TemplateId() const = 0;
    // Once, before the dialog is shown.
    virtual void OnInitDialog() = 0;
    // A click on control `controlId` (a radio button, a push button).
    virtual void OnClick(int controlId) = 0;
    // Entry `index` of list control `controlId` was selected.
    virtual void OnSelect(int controlId, int index) = 0;
    // The OK button of the title row; the dialog then ends with kIdOk.
    virtual void OnOk() = 0;
    // Escape, or any other ending without OK; the dialog then ends with kIdCancel.
    virtual void OnCancel() = 0;

    // The text control `controlId` shows instead of its template's, if any.
    virtual std::optional<std::string> Text(int) const { return std::nullopt; }
    // Whether radio button `controlId` is checked.
    virtual bool IsChecked(int) const { return false; }
    // The entries of list control `controlId`, in their order, and the selected one (-1: none).
    virtual std::span<const std::string> Entries(int) const { return {}; }
    virtual int Selection(int) const { return -1; }

    // A control's place in the dialog's client area, in the seam's pixels.
    struct SPlace {
        int id;
        int left;
        int top;
        int width;
        int height;
    };
    // Once the controls stand where the template puts them: the dialog may move them within a
    // client area `clientWidth` pixels wide (the about box centres its lines).
    virtual void PlaceControls(int, std::span<SPlace>) {}
};
