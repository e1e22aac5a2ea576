#include "ui/work.h"

#include <vector>

namespace {

int s_list_jobs;
HWND s_waiting_window;
UINT s_waiting_message;
HWND s_command_window;
std::vector<int> s_commands;  // deferred, in arrival order

void post_waiting() {
    for (int id : s_commands) PostMessageA(s_command_window, WM_COMMAND, id, 0);
    s_commands.clear();
    if (!s_waiting_window) return;
    PostMessageA(s_waiting_window, s_waiting_message, 0, 0);
    s_waiting_window = nullptr;
}

}  // namespace

bool post_to_interface(HWND window, InterfaceTask run, void* data) {
    return PostMessageA(window, WM_INTERFACE_TASK, (WPARAM)run, (LPARAM)data) != 0;
}

void run_interface_task(WPARAM wparam, LPARAM lparam) {
    if (InterfaceTask run = (InterfaceTask)wparam) run((void*)lparam);
}

void run_posted_tasks(HWND window) {
    MSG msg;
    while (PeekMessageA(&msg, window, WM_INTERFACE_TASK, WM_INTERFACE_TASK, PM_REMOVE))
        run_interface_task(msg.wParam, msg.lParam);
}

void list_job_begin() { ++s_list_jobs; }

void list_job_end() {
    if (s_list_jobs > 0) --s_list_jobs;
    if (s_list_jobs == 0) post_waiting();
}

bool list_job_running() { return s_list_jobs > 0; }

void list_job_post_when_done(HWND window, UINT message) {
    s_waiting_window = window;
    s_waiting_message = message;
    if (s_list_jobs == 0) post_waiting();
}

void list_job_defer_command(HWND window, int id) {
    s_command_window = window;
    s_commands.push_back(id);
    if (s_list_jobs == 0) post_waiting();
}
