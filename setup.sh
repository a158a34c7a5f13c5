#!/usr/bin/env bash
# One entry point for people and CI: installs what is missing, builds, then starts
# Pallweave ("run") or runs the whole test suite ("test [--sanitize]").
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake pkg-config libgtest-dev libpcre2-dev libxml2-dev libcurl4-openssl-dev ca-certificates
  qt6-base-dev xvfb xdotool openbox x11-utils imagemagick python3 openssl)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

build() { # build DIR [cmake args...]
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

cmd=${1:-run}; shift || true
case "$cmd" in
  run)
    install_missing
    build build
    exec ./build/app/pallweave
    ;;
  test)
    install_missing
    if [ "${1:-}" = "--sanitize" ]; then
      build build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPALLWEAVE_SANITIZE=ON
      cd build-sanitize
      ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j"$(nproc)" -L engine
    else
      build build
      cd build
      ctest --output-on-failure -j"$(nproc)"
    fi
    ;;
  *)
    echo "usage: $0 run | test [--sanitize]" >&2
    exit 2
    ;;
esac
