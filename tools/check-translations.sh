#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a text the game shows has no finished English translation.
# lupdate collects the marked texts of game/ into a copy of each .ts file;
# the copy must equal the committed file (no new, changed or dropped text)
# and hold no unfinished translation. With --update the committed files are
# rewritten instead, ready for the new texts to be translated.
# Usage: check-translations.sh [--update] [LUPDATE]
set -euo pipefail
cd "$(dirname "$0")/.."

update=false
if [ "${1:-}" = --update ]; then
  update=true
  shift
fi
lupdate=${1:-}
if [ -z "$lupdate" ]; then
  lupdate=$(command -v lupdate || true)
  [ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
fi
[ -x "$lupdate" ] || { echo "FAIL: lupdate not found (qt6-l10n-tools)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for ts in translations/mortavel_*.ts; do
  lang=$(basename "$ts" .ts)
  lang=${lang#mortavel_}
  target=$ts
  $update || { cp "$ts" "$work/"; target="$work/$(basename "$ts")"; }
  "$lupdate" -silent -locations none -no-obsolete -source-language ja -target-language "$lang" \
    game -ts "$target"
  $update && continue
  if ! cmp -s "$ts" "$target"; then
    echo "FAIL: $ts is not up to date with the texts in game/:"
    diff -u "$ts" "$target" | sed -n '3,60p' || true
    failures=$((failures + 1))
  fi
  unfinished=$(grep -c -E '<translation type="unfinished"|<translation/>|<translation></translation>' "$target" || true)
  if [ "$unfinished" -gt 0 ]; then
    echo "FAIL: $ts has $unfinished text(s) without a finished translation:"
    grep -B4 -E '<translation type="unfinished"|<translation/>|<translation></translation>' "$target" \
      | grep '<source>' | sed 's/^ */  /'
    failures=$((failures + 1))
  fi
done
if $update; then
  echo "updated; translate the new texts, then run this again without --update"
  exit 0
fi
[ "$failures" -eq 0 ] || { echo "run tools/check-translations.sh --update, then translate"; exit 1; }
echo "translations complete"
