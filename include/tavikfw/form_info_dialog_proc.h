/* The form-information dialog for a host on Windows that runs the dialog itself. */
#ifndef TAVIKFW_FORM_INFO_DIALOG_PROC_H
#define TAVIKFW_FORM_INFO_DIALOG_PROC_H

#ifdef _WIN32

#include <windows.h>

#include "tavikfw/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The dialog procedure of the library's dialog template 201 ("Tavik Form Wizard"). The long
   parameter of WM_INITDIALOG is the form description to fill (a TVK_FORMDESC). OK fills it
   from the edit controls, keeps the connect and database strings in "TAVIK.INI" and ends
   the dialog with 1; Cancel ends it with 0. Returns 1 for the commands it handles. */
TAVIKFW_API INT_PTR CALLBACK SpecifyFormInfoDlgProc(HWND dialog, UINT message, WPARAM word,
                                                    LPARAM long_value);

#ifdef __cplusplus
}
#endif

#endif

#endif
