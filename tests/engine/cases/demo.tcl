# comment at line start
set s "multi
line \"quoted\""
set n 1 ;# comment after a command
upvar #0 arr local
puts $s
