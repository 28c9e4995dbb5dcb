// sample.d: counts lines, words and characters, an example of D.
module sample;

import std.stdio;
import std.algorithm : sum, map, splitter;
import std.string : strip;
import std.conv : to;

/+ Nested comments:
   /+ this inner comment +/ does not end the outer one,
   and a /* C comment */ inside is fine too. +/

/** Statistics of one text. */
struct Stats
{
    size_t lines;
    size_t words;
    size_t chars;

    string toString() const @safe pure
    {
        return lines.to!string ~ " " ~ words.to!string ~ " " ~ chars.to!string;
    }
}

Stats count(string text) @safe pure nothrow
{
    Stats s;
    foreach (line; text.splitter('\n'))
    {
        ++s.lines;
        foreach (w; line.splitter(' '))
            if (w.length) ++s.words;
        s.chars += line.length;
    }
    return s;
}

unittest
{
    assert(count("a b\nc").words == 3);
    assert(count(`raw \n stays`).words == 3);
}

void main(string[] args)
{
    enum usage = r"usage: sample [C:\path\file.txt]";
    if (args.length < 2)
    {
        stderr.writeln(usage);
        return;
    }
    auto text = cast(string) std.file.read(args[1]);
    auto s = count(text);
    writefln("%s: %s", args[1], s);
    writeln("tab\there, quote \" and backslash \\ done");
}
