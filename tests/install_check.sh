#!/usr/bin/env bash
# cmake --install into a fresh prefix: the programs, icon, desktop entry and
# metainfo land there, the entry starts the installed program, and that
# program keeps its settings in the per-user folder, not beside itself.
# usage: install_check.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
id=Fenmarch.Systems.Pallweave
for f in bin/pallweave bin/pallweave-run share/man/man1/pallweave-run.1 share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/256x256/apps/$id.png; do
  [ -e "$prefix/$f" ] || { echo "install: $f is missing" >&2; exit 1; }
done
grep -qx "Exec=$prefix/bin/pallweave %f" "$prefix/share/applications/$id.desktop" ||
  { echo "install: the desktop entry does not start $prefix/bin/pallweave with the file" >&2; exit 1; }
grep -qx "MimeType=text/vbscript;" "$prefix/share/applications/$id.desktop" ||
  { echo "install: the desktop entry declares no VBScript type" >&2; exit 1; }
grep -q '<glob pattern="\*.vbs"/>' "$prefix/share/mime/packages/$id.xml" ||
  { echo "install: no shared-mime-info entry for *.vbs" >&2; exit 1; }
grep -q "^Icon=$id$" "$prefix/share/applications/$id.desktop" || { echo "install: the entry names no icon" >&2; exit 1; }

# Start the installed program offscreen: an installed one makes its per-user
# settings folder at start-up (one beside its build never does).
home=$prefix/home
mkdir -p "$home"
HOME=$home XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$prefix QT_QPA_PLATFORM=offscreen \
  timeout 20 "$prefix/bin/pallweave" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -d "$home/.local/share/Fenmarch Systems/Pallweave" ] && break
  sleep 0.05
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ -d "$home/.local/share/Fenmarch Systems/Pallweave" ] ||
  { echo "install: the installed program did not take the per-user settings folder" >&2; exit 1; }
echo "install: complete under $prefix"
