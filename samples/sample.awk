#!/usr/bin/awk -f
# sample.awk: totals per user from a log of "user bytes path" lines,
# an example of AWK.

BEGIN {
    FS = "[ \t]+"
    OFS = "\t"
    min_bytes = (ENVIRON["MIN_BYTES"] != "") ? ENVIRON["MIN_BYTES"] : 0
    print "user", "requests", "bytes"   # header line
}

# Skip comments and blank lines.
/^#/ || NF == 0 { next }

NF < 3 {
    printf("line %d: expected three fields, got %d\n", NR, NF) > "/dev/stderr"
    errors++
    next
}

{
    user = tolower($1)
    requests[user]++
    bytes[user] += $2
    if ($3 ~ /\.(jpg|png)$/) images[user]++
}

function human(n,    units, i) {
    split("B KB MB GB", units, " ")
    for (i = 1; n >= 1024 && i < 4; i++)
        n /= 1024
    return sprintf("%.1f %s", n, units[i])
}

END {
    for (user in requests) {
        if (bytes[user] < min_bytes) continue
        print user, requests[user], human(bytes[user])
    }
    if (errors > 0) {
        printf "%d bad lines, see \"stderr\"\n", errors
        exit 1
    }
}
