//! sample.zig: word frequencies of a text, an example of Zig.
const std = @import("std");
const mem = std.mem;

/// One word and how often it appears.
const Entry = struct {
    word: []const u8,
    count: u32,

    fn lessThan(_: void, a: Entry, b: Entry) bool {
        if (a.count != b.count) return a.count > b.count;
        return mem.lessThan(u8, a.word, b.word);
    }
};

const text =
    \\the quick brown fox jumps over the lazy dog
    \\the dog sleeps, the fox "runs" away
;

const Error = error{ EmptyInput, OutOfMemory };

fn countWords(allocator: mem.Allocator, input: []const u8) Error!std.ArrayList(Entry) {
    if (input.len == 0) return error.EmptyInput;
    var map = std.StringHashMap(u32).init(allocator);
    defer map.deinit();

    var it = mem.tokenizeAny(u8, input, " \n;\"");
    while (it.next()) |word| {
        const gop = try map.getOrPut(word);
        if (!gop.found_existing) gop.value_ptr.* = 0;
        gop.value_ptr.* += 1;
    }

    var list = std.ArrayList(Entry).init(allocator);
    errdefer list.deinit();
    var iter = map.iterator();
    while (iter.next()) |kv| {
        try list.append(.{ .word = kv.key_ptr.*, .count = kv.value_ptr.* });
    }
    std.mem.sort(Entry, list.items, {}, Entry.lessThan);
    return list;
}

pub fn main() !void {
    var gpa = std.heap.GeneralPurposeAllocator(.{}){};
    defer _ = gpa.deinit();
    const list = try countWords(gpa.allocator(), text);
    defer list.deinit();

    const stdout = std.io.getStdOut().writer();
    for (list.items[0..@min(5, list.items.len)]) |e| {
        try stdout.print("{d:>3} {s}\n", .{ e.count, e.word });
    }
    const sep: u8 = '\'';
    _ = sep;
}
