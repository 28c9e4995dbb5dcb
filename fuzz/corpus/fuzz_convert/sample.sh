[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=|&;()<>{}[]=,`"'
color_string=1515A3
color_comment=2008000
comment1=#

--8<--
case 1C00000
coproc 1C00000
do 1C00000
done 1C00000
elif 1C00000
else 1C00000
esac 1C00000
fi 1C00000
for 1C00000
function 1C00000
if 1C00000
in 1C00000
select 1C00000
then 1C00000
time 1C00000
until 1C00000
while 1C00000

--8<--
$! A00080
$$ A00080
$* A00080
$0 A00080
$1 A00080
$2 A00080
$3 A00080
$? A00080
$@ A00080
$HOME A00080
$IFS A00080
$PATH A00080
$PWD A00080
$RANDOM A00080
$USER A00080
-d A00080
-e A00080
-eq A00080
-f A00080
-ge A00080
-gt A00080
-le A00080
-lt A00080
-n A00080
-ne A00080
-r A00080
-s A00080
-w A00080
-x A00080
-z A00080
alias A00080
awk A00080
basename A00080
bg A00080
bind A00080
break A00080
builtin A00080
caller A00080
cat A00080
cd A00080
chmod A00080
chown A00080
command A00080

--8<--
f 999999 64 S
--8<--
#!/bin/bash
# sample.sh: rotating backups of a directory, a small example of a bash script.
set -euo pipefail

SOURCE=${1:-"$HOME/documents"}
DEST=${2:-/var/backups/docs}
KEEP=7

usage() {
  echo "usage: $0 [source] [destination]" >&2
  exit 1
}

[[ -d "$SOURCE" ]] || usage
mkdir -p "$DEST"

stamp=$(date +%Y%m%d-%H%M%S)
archive="$DEST/backup-$stamp.tar.gz"

# Archive quietly; a failure stops the script because of set -e.
tar -czf "$archive" -C "$(dirname "$SOURCE")" "$(basename "$SOURCE")"
echo "created $archive"

count=0
for file in $(ls -1t "$DEST"/backup-*.tar.gz); do
  count=$((count + 1))
  if [ "$count" -gt "$KEEP" ]; then
    rm -f -- "$file"
    echo "removed old backup $file"
  fi
done

case "$(uname -s)" in
  Linux)  echo 'done on Linux' ;;
  Darwin) echo 'done on macOS' ;;
  *)      echo "done" ;;
esac
