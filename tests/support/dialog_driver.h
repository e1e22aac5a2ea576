// Answers the modal dialogs a test provokes (message boxes, the program's own
// dialogs, the system's Open dialog): a thread timer finds the dialog while
// its modal loop runs, keeps its texts and presses a button, so the test sees
// what the user would.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct SeenDialog {
    bool seen = false;
    std::string title;
    std::string text;  // the longest static text: a message box's message
    std::wstring wide_title, wide_text;  // the same as shown, for letters outside the ANSI code page
};

namespace dialog_driver {

inline SeenDialog last;
inline std::vector<SeenDialog> seen;  // every dialog answered since the last arming, in order
inline std::vector<int> buttons;      // the presses still to make, in order
inline HWND pressed = nullptr;        // the dialog last answered, until it is gone
inline UINT_PTR timer = 0;
inline void (*prepare)(HWND) = nullptr;  // runs once per dialog, before the press

inline std::string narrow(const std::wstring& wide) {
    char text[4096] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
    return text;
}

inline std::wstring window_text(HWND window) {
    wchar_t text[4096] = L"";
    GetWindowTextW(window, text, 4096);
    return text;
}

inline bool is_class(HWND window, const char* name) {
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

inline BOOL CALLBACK collect_static(HWND child, LPARAM lp) {
    std::wstring* best = (std::wstring*)lp;
    std::wstring text = window_text(child);
    if (is_class(child, "Static") && text.size() > best->size()) *best = text;
    return TRUE;
}

inline BOOL CALLBACK find_dialog(HWND w, LPARAM lp) {
    if (!*(HWND*)lp && is_class(w, "#32770") && IsWindowVisible(w)) *(HWND*)lp = w;  // the topmost: the one to answer
    return TRUE;
}

inline void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, (LPARAM)&dialog);
    if (!dialog || dialog == pressed || buttons.empty()) return;
    int button = buttons.front();
    buttons.erase(buttons.begin());
    if (buttons.empty()) {
        KillTimer(nullptr, timer);
        timer = 0;
    }
    pressed = dialog;
    last.seen = true;
    last.wide_title = window_text(dialog);
    last.wide_text.clear();
    EnumChildWindows(dialog, collect_static, (LPARAM)&last.wide_text);
    last.title = narrow(last.wide_title);
    last.text = narrow(last.wide_text);
    seen.push_back(last);
    if (prepare) prepare(dialog);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

}  // namespace dialog_driver

// The next dialogs of this thread, one after the other, get these buttons
// pressed; `prepare` may fill each in first.
inline void answer_dialogs(std::vector<int> buttons, void (*prepare)(HWND) = nullptr) {
    dialog_driver::last = SeenDialog();
    dialog_driver::seen.clear();
    dialog_driver::buttons = buttons;
    dialog_driver::pressed = nullptr;
    dialog_driver::prepare = prepare;
    if (dialog_driver::timer) KillTimer(nullptr, dialog_driver::timer);
    dialog_driver::timer = SetTimer(nullptr, 0, 30, dialog_driver::tick);
}

// The next dialog of this thread gets `button` pressed; `prepare` may fill it in first.
inline void answer_next_dialog(int button, void (*prepare)(HWND) = nullptr) { answer_dialogs({button}, prepare); }

inline const SeenDialog& last_dialog() { return dialog_driver::last; }

// Stops waiting for a dialog that never came.
inline void stop_answering() {
    if (dialog_driver::timer) KillTimer(nullptr, dialog_driver::timer);
    dialog_driver::timer = 0;
    dialog_driver::buttons.clear();
}

// A dialog answered in turns: each step fills it in and OK is pressed; the
// message box each refusal brings is kept and closed before the next step
// goes in; Cancel once no step is left. `opened` sees the dialog first.
namespace dialog_script {

inline std::vector<std::function<void(HWND)>> steps;
inline size_t next = 0;
inline std::vector<SeenDialog> refusals;
inline void (*opened)(HWND) = nullptr;

inline void run_next_step(HWND dialog);
inline void note_refusal(HWND) {
    refusals.push_back(last_dialog());
    answer_next_dialog(next < steps.size() ? IDOK : IDCANCEL, run_next_step);
}
inline void run_next_step(HWND dialog) {
    if (next == 0 && opened) opened(dialog);
    if (next >= steps.size()) return;  // Cancel is pressed
    steps[next++](dialog);
    answer_next_dialog(IDOK, note_refusal);
}

}  // namespace dialog_script

// Sends `command` to `window` and answers the dialog it opens with `steps`;
// the refusals, in order.
inline std::vector<SeenDialog> answer_in_turns(HWND window, int command, std::vector<std::function<void(HWND)>> steps,
                                               void (*opened)(HWND) = nullptr) {
    dialog_script::steps = steps;
    dialog_script::next = 0;
    dialog_script::refusals.clear();
    dialog_script::opened = opened;
    answer_next_dialog(steps.empty() ? IDCANCEL : IDOK, dialog_script::run_next_step);
    SendMessageA(window, WM_COMMAND, command, 0);
    stop_answering();
    return dialog_script::refusals;
}
