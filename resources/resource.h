// Resource ids shared by vorel.rc and the program's code.
#pragma once

// Dialogs, menu, icon.
#define IDD_RESULT 101
#define IDD_MAIN 102
#define IDR_EDITOR_MENU 101
#define IDI_VOREL 1000

// Commands: the main dialog's buttons and the context menu's items carry
// these ids, so a button and a menu item of one command arrive alike.
#define CMD_START 1
#define CMD_UNDO 40001
#define CMD_REDO 40002
#define CMD_COPY_ALL 40003
#define CMD_PASTE 40004
#define CMD_OPEN 40005
#define CMD_SAVE 40006
#define CMD_PREVIEW 40007
#define CMD_ABOUT 40008

// Main dialog controls.
#define IDC_LINE_NUMBERS 1000
#define IDC_SYNTAX 1001
#define IDC_FIRST_LINE 1002
#define IDC_HTML 1005
#define IDC_UBB 1006
#define IDC_EDITOR 5000

// Result dialog controls.
#define IDC_RESULT_SAVE 1000
#define IDC_RESULT_PREVIEW 1001
#define IDC_RESULT_COPY 1002
#define IDC_RESULT_CLOSE 1003
#define IDC_RESULT_TEXT 1004
