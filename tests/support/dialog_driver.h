// Answers the modal dialogs a test provokes (message boxes, the program's own
// dialogs): a thread timer finds the dialog while its modal loop runs, keeps
// its texts and presses a button, so the test sees what the user would.
#pragma once
#include <windows.h>

#include <string>

struct SeenDialog {
    bool seen = false;
    std::string title;
    std::string text;  // the longest static text: a message box's message
};

namespace dialog_driver {

inline SeenDialog& last() {
    static SeenDialog d;
    return d;
}
inline int& button() {
    static int b = IDOK;
    return b;
}
inline UINT_PTR& timer() {
    static UINT_PTR t = 0;
    return t;
}
// Runs once per dialog: fills in the dialog (edit text, say) before the press.
inline void (*&prepare())(HWND) {
    static void (*f)(HWND) = nullptr;
    return f;
}

inline BOOL CALLBACK collect_static(HWND child, LPARAM lp) {
    char cls[16] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        char text[1024] = "";
        GetWindowTextA(child, text, sizeof text);
        std::string* best = (std::string*)lp;
        if (strlen(text) > best->size()) *best = text;
    }
    return TRUE;
}

inline BOOL CALLBACK find_dialog(HWND w, LPARAM lp) {
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(w)) {
        *(HWND*)lp = w;
        return FALSE;
    }
    return TRUE;
}

inline void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, (LPARAM)&dialog);
    if (!dialog) return;
    KillTimer(nullptr, timer());
    timer() = 0;
    SeenDialog& d = last();
    d.seen = true;
    char title[256] = "";
    GetWindowTextA(dialog, title, sizeof title);
    d.title = title;
    d.text.clear();
    EnumChildWindows(dialog, collect_static, (LPARAM)&d.text);
    if (prepare()) prepare()(dialog);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button(), BN_CLICKED), 0);
}

}  // namespace dialog_driver

// The next dialog of this thread gets `button` pressed; `prepare` may fill it in first.
inline void answer_next_dialog(int button, void (*prepare)(HWND) = nullptr) {
    dialog_driver::last() = SeenDialog();
    dialog_driver::button() = button;
    dialog_driver::prepare() = prepare;
    if (dialog_driver::timer()) KillTimer(nullptr, dialog_driver::timer());
    dialog_driver::timer() = SetTimer(nullptr, 0, 30, dialog_driver::tick);
}

inline const SeenDialog& last_dialog() { return dialog_driver::last(); }

// Stops waiting for a dialog that never came.
inline void stop_answering() {
    if (dialog_driver::timer()) KillTimer(nullptr, dialog_driver::timer());
    dialog_driver::timer() = 0;
}
