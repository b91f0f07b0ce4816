// IDialog: the state and handlers of one modal dialog, as the prompts seam runs it.
#pragma once

// The three modal dialogs of the game (Language 140, Statistics 500 + language, About 600 +
// language) keep their state and handlers in plain C++ (ui/); the seam that shows them (Qt
// widgets, or a script's queued actions) calls these handlers and ends the dialog with kIdOk
// or kIdCancel (platform/Shell.h).
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
};
