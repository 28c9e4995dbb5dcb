; sample.ahk: hotkeys for text snippets and window tools, an example of AutoHotkey.
#Requires AutoHotkey v2.0
#SingleInstance Force
SetWorkingDir A_ScriptDir

/*
  Ctrl+Alt+D types the date; Ctrl+Alt+N opens Notepad or activates it.
  Win+Up keeps the active window on top.
*/
global LogFile := A_ScriptDir "\snippets.log"
counts := Map()

^!d::
{
    today := FormatTime(, "yyyy-MM-dd")
    SendText today
    Record("date")
}

^!n::
{
    if WinExist("ahk_exe notepad.exe")
        WinActivate
    else
        Run "notepad.exe"
    Record("notepad")
}

#Up::WinSetAlwaysOnTop -1, "A"   ; toggle

::btw::by the way

Record(name)
{
    global counts
    counts[name] := counts.Has(name) ? counts[name] + 1 : 1
    try
        FileAppend A_Now " " name "`n", LogFile
    catch OSError as err
        MsgBox "Cannot write the log: " err.Message
}

Summary()
{
    text := ""
    for name, n in counts
        text .= name ": " n "`n"
    return text = "" ? "Nothing used yet; see `"Help`"." : text
}

^!s::MsgBox(Summary(), "Snippet use", "Iconi")
^!q::ExitApp
