#!/usr/bin/env tclsh
# sample.tcl: a to-do list kept in a file, an example of Tcl.

namespace eval todo {
    variable file [file join $::env(HOME) .todo]
    variable items {}
}

proc todo::load {} {
    variable file
    variable items
    if {![file exists $file]} { return }
    set fh [open $file r]
    set items [split [string trim [read $fh]] "\n"]
    close $fh
}

proc todo::save {} {
    variable file
    variable items
    set fh [open $file w]
    puts -nonewline $fh [join $items "\n"]
    close $fh   ;# always close the channel
}

proc todo::add {text} {
    variable items
    lappend items "\[ \] $text"
}

proc todo::show {} {
    variable items
    set n 0
    foreach item $items {
        puts [format "%3d %s" [incr n] $item]
    }
    if {$n == 0} {
        puts "nothing to do, a \"quiet\" day"
    }
}

set usage "usage: todo add TEXT
       todo list"

todo::load
switch -- [lindex $argv 0] {
    add     { todo::add [join [lrange $argv 1 end]]; todo::save }
    list    { todo::show }
    default { puts stderr $usage; exit 1 }
}
