};

const text =
    \\the quick brown fox jumps over the lazy dog
    \\the dog sleeps, the fox "runs" away
;

    const stdout = std.io.getStdOut().writer();
    for (list.items[0..@min(5, list.items.len)]) |e| {
        try stdout.print("{d:>3} {s}\n", .{ e.count, e.word });
    }
    const sep: u8 = '\'';
    _ = sep;
}
