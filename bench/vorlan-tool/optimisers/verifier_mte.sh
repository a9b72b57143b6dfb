#!/usr/bin/env bash
# Runs optimiser_mte as a whole command (64 words of at most 12 bytes, 2-byte references) on the
# benchmark's generated script and compares its words and report with those kept in
# references/, written by the search as it was before its suffix array; prints the time and the
# peak memory of each run where /usr/bin/time is installed. 4 MiB by default; with --complet,
# 16 and 50 MiB too (minutes on a shared machine). Usage: verifier_mte.sh BUILD [--complet]
set -euo pipefail
construction=$(cd "$1" && pwd)
shift
tailles=(4)
if [[ "${1:-}" == --complet ]]; then tailles=(4 16 50); fi
references=$(cd "$(dirname "$0")/references" && pwd)
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cd "$dossier"
: > vorlan-tool.lua
echo "optimiser_mte('script.txt', 'mots.txt', 64, 12, 2)" > mte.lua
echec=0
for t in "${tailles[@]}"; do
  "$construction/ecrire_script" "$t" 1 script.txt
  mesure=()
  if [[ -x /usr/bin/time ]]; then mesure=(/usr/bin/time -f "%e %U %M" -o temps.txt); fi
  "${mesure[@]}" "$construction/vorlan-tool" -e mte.lua > sortie.txt
  grep -a -E '^(Taille|Score total)' sortie.txt > rapport.txt || true
  if cmp -s mots.txt "$references/mte-$t.txt" && cmp -s rapport.txt "$references/mte-$t-rapport.txt"; then
    etat="as the reference"
  else
    etat="DIFFERS from the reference"
    echec=1
  fi
  if [[ -f temps.txt ]]; then
    read -r reel utilisateur ko < temps.txt
    echo "$t MiB: $etat; ${reel} s (${utilisateur} s user), $((ko / 1024)) MiB peak, $((ko * 1024 / (t * 1048576))) bytes a script byte"
  else
    echo "$t MiB: $etat"
  fi
done
exit $echec
