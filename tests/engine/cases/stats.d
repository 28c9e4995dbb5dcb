/+ Nested comments:
   /+ this inner comment +/ does not end the outer one,
   and a /* C comment */ inside is fine too. +/

{
    assert(count("a b\nc").words == 3);
    assert(count(`raw \n stays`).words == 3);
}
{
    enum usage = r"usage: sample [C:\path\file.txt]";
    if (args.length < 2)
    writeln("tab\there, quote \" and backslash \\ done");
