h
--8<--
files=*.sh *.bash *.ksh *.zsh .bashrc .bash_profile .profile
case=1
str1="
str2='
delimiter=|&;()<>{}[]=,`"'
color_string=1515A3
color_comment=2008000
comment1=#

--8<--

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
