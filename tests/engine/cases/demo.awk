# comment
BEGIN { FS = "\t"; s = "say \"hi\"" }
{ n += NF }  # trailing comment
END { printf "%d\n", n }
