; sample.ahk: hotkeys for text snippets and window tools, an example of AutoHotkey.
#Requires AutoHotkey v2.0
#SingleInstance Force
SetWorkingDir A_ScriptDir

/*
  Ctrl+Alt+D types the date; Ctrl+Alt+N opens Notepad or activates it.
  Win+Up keeps the active window on top.
*/
#Up::WinSetAlwaysOnTop -1, "A"   ; toggle

{
    text := ""
    for name, n in counts
        text .= name ": " n "`n"
    return text = "" ? "Nothing used yet; see `"Help`"." : text
