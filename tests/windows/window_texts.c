/* Prints in UTF-8 the texts of the visible windows whose caption starts with the
 * argument, and of their controls, one a line: what an installer's page says. */
#include <stdio.h>
#include <windows.h>

static BOOL CALLBACK print_text(HWND window, LPARAM prefix) {
    wchar_t text[4096];
    char utf8[16384];
    if (IsWindowVisible(window) &&
        SendMessageTimeoutW(window, WM_GETTEXT, 4096, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL) &&
        (!prefix || !wcsncmp(text, (const wchar_t*)prefix, wcslen((const wchar_t*)prefix))) &&
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL) > 1) {
        printf("%s\n", utf8);
        if (prefix) EnumChildWindows(window, print_text, 0);
    }
    return TRUE;
}

int wmain(int argc, wchar_t** argv) {
    return argc == 2 ? !EnumWindows(print_text, (LPARAM)argv[1]) : 2;
}
