// Program entry: hover button class, rich edit library, then the main dialog.
#include <windows.h>

#include "controls/hover_button.h"
#include "resource.h"
#include "ui/ui.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vorel::app_instance = GetModuleHandleA(nullptr);
  // Both dialog templates name the button class.
  vorel::register_button_class(vorel::app_instance);
  if (LoadLibraryA("RichEd20.dll")) {
    DialogBoxParamA(vorel::app_instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, vorel::main_dialog_proc, 0);
  } else {
    MessageBoxA(nullptr, "can't load richedit", nullptr, MB_ICONQUESTION);
  }
  ExitProcess(0);
}
