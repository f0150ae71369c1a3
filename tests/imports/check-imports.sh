#!/usr/bin/env bash
# Fails when a Windows program imports a function that is not in the vetted
# list: every function the list names is present on Windows 98 and on NT 4.0
# SP6, so the loader of each class the program supports finds all its imports.
# Wine cannot show this (it implements every function whatever version it
# reports), so the check reads the import table itself. Runs on the host.
# Fails too when the program imports a DLL that is not in the allowed list:
# only KnownDLLs and the manifest-bound common controls are never looked for
# in the program's folder.
#   check-imports.sh PROGRAM.EXE VETTED-LIST ALLOWED-DLLS [OBJDUMP]
#   check-imports.sh --list PROGRAM.EXE [OBJDUMP]   (prints the imports)
# The vetted list holds one "DLL FUNCTION" pair a line, the allowed list one
# DLL name a line (names in any case; "#" starts a comment).
set -euo pipefail
if [ "${1:-}" = --list ]; then
  list_only=1 exe=$2 objdump=${3:-i686-w64-mingw32-objdump}
else
  list_only=0 exe=$1 list=$2 allowed=$3 objdump=${4:-i686-w64-mingw32-objdump}
  [ -f "$list" ] || { echo "no such list: $list" >&2; exit 2; }
  [ -f "$allowed" ] || { echo "no such list: $allowed" >&2; exit 2; }
fi
[ -f "$exe" ] || { echo "no such program: $exe" >&2; exit 2; }

# "DLL FUNCTION" for every import, the DLL name in upper case; an import by
# ordinal as "DLL ordinal:N". objdump prints each DLL's entries as
# "<tab>VMA<tab> HINT  NAME" under its "DLL Name:" line.
imports() {
  "$objdump" -p "$1" | awk '
    /^The Import Tables/ { inside = 1; next }
    inside && /^[^ \t]/ { inside = 0 }
    !inside { next }
    /^\tDLL Name:/ { dll = toupper($3); next }
    dll != "" && /^\t[0-9a-f]+\t/ {
      if (NF >= 3 && $3 != "<none>") print dll, $3
      else print dll, "ordinal:" $2
    }'
}
# The list without comments and blank lines, the DLL name in upper case.
vetted() {
  sed 's/#.*$//' "$1" | awk 'NF >= 2 { print toupper($1), $2 }'
}

found=$(imports "$exe" | sort -u)
if [ -z "$found" ]; then
  echo "no imports read from $exe (not a Windows program?)" >&2
  exit 2
fi
if [ "$list_only" = 1 ]; then
  echo "$found"
  exit 0
fi
status=0
unallowed=$(comm -23 <(echo "$found" | awk '{ print $1 }' | sort -u) \
                     <(sed 's/#.*$//' "$allowed" | awk 'NF >= 1 { print toupper($1) }' | sort -u))
if [ -n "$unallowed" ]; then
  echo "$exe imports DLLs that are neither KnownDLLs nor bound through the manifest ($allowed):"
  echo "$unallowed" | sed 's/^/  /'
  status=1
fi
unvetted=$(comm -23 <(echo "$found") <(vetted "$list" | sort -u))
if [ -n "$unvetted" ]; then
  echo "$exe imports functions not vetted for Windows 98 and NT 4.0 SP6 ($list):"
  echo "$unvetted" | sed 's/^/  /'
  status=1
fi
[ "$status" = 0 ] || exit 1
echo "$(echo "$found" | wc -l) imports of $exe, all vetted for Windows 98 and NT 4.0 SP6, from allowed DLLs"
