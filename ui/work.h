// Work off the interface thread. A job takes a snapshot of what it needs
// (paths, sizes, times, the thumbnail edge) and never reads the program's
// globals; its results reach the interface thread as tasks posted through
// post_to_interface. While a job owns the folder list, commands and
// handed-over paths wait for its end (list_job_running).
#pragma once
#include <windows.h>

// Carries a task to the window's thread. (WM_APP + 1 to + 3 are taken.)
const UINT WM_INTERFACE_TASK = WM_APP + 4;

typedef void (*InterfaceTask)(void* data);

// From any thread: run(data) on the thread of window, in posting order.
// False when the message could not be posted (the task then never runs).
bool post_to_interface(HWND window, InterfaceTask run, void* data);
// WM_INTERFACE_TASK: runs the task it carries.
void run_interface_task(WPARAM wparam, LPARAM lparam);
// Runs the tasks posted to window so far and nothing else (a job's owner
// waits this way: the user's input stays queued until the job is done).
void run_posted_tasks(HWND window);

// A job owns the folder list from begin to end (they nest).
void list_job_begin();
void list_job_end();
bool list_job_running();
// `message` is posted to `window` when the last job ends, or at once when
// none runs (the latest call wins).
void list_job_post_when_done(HWND window, UINT message);
// A command that arrived while a job owned the list: posted to window, in
// turn, once the last job has ended.
void list_job_defer_command(HWND window, int id);
