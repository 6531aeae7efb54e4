/*
 * boxes.h - captures the message boxes a test program provokes.
 *
 * A computer-based-training hook sees every window of the thread become
 * active.  For a message box (dialog class "#32770") it records the
 * caption, the text (static control 0xFFFF) and the owner, then posts IDOK
 * so that the box closes by itself and the call that showed it returns.
 * Any other window that becomes active is counted too.  A program that
 * writes its calls out can have each box written among them (box_echo).
 */
#ifndef BOXES_H
#define BOXES_H

#include <stdio.h>
#include <string.h>
#include <windows.h>

#define BOX_MAX 32

typedef struct CapturedBox {
    char caption[128];
    char text[512];
    HWND owner;
} CapturedBox;

static HHOOK box_hook;
static CapturedBox boxes[BOX_MAX];
static int box_count;    /* message boxes seen since the last boxes_clear */
static int window_count; /* other windows activated since the last boxes_clear */
static FILE *box_echo;   /* when set, each box is also written here as "[caption] text" */

static LRESULT CALLBACK box_cbt_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        HWND wnd = (HWND)wparam;
        char cls[64] = "";
        GetClassNameA(wnd, cls, sizeof cls);
        if (strcmp(cls, "#32770") == 0) {
            CapturedBox box;
            GetWindowTextA(wnd, box.caption, sizeof box.caption);
            GetDlgItemTextA(wnd, 0xFFFF, box.text, sizeof box.text);
            box.owner = GetWindow(wnd, GW_OWNER);
            if (box_count < BOX_MAX)
                boxes[box_count] = box;
            box_count++;
            if (box_echo != NULL)
                fprintf(box_echo, "[%s] %s\n", box.caption, box.text);
            PostMessageA(wnd, WM_COMMAND, IDOK, 0);
        } else {
            window_count++;
        }
    }
    return CallNextHookEx(box_hook, code, wparam, lparam);
}

static inline void boxes_clear(void) {
    memset(boxes, 0, sizeof boxes);
    box_count = 0;
    window_count = 0;
}

static inline int boxes_install(void) {
    boxes_clear();
    box_hook = SetWindowsHookExA(WH_CBT, box_cbt_proc, NULL, GetCurrentThreadId());
    return box_hook != NULL;
}

#endif /* BOXES_H */
