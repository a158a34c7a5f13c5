#!/usr/bin/env bash
# Runs one HTTP golden script against tests/http/server.py on 127.0.0.1.
# The script finds the server in %PW_HTTP_BASE% (over HTTPS, with a certificate
# no system trusts, in %PW_HTTPS_BASE%) and a scratch folder in %PW_HTTP_OUT%; a
# download it saves as download.bin there must equal what the server sent. A line "' within: N" fails the test when the run takes N s or more.
set -u
runner=$1 script=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY ALL_PROXY all_proxy
export NO_PROXY=127.0.0.1 no_proxy=127.0.0.1
# A self-signed certificate for 127.0.0.1, which no system trusts.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null || { echo "openssl failed" >&2; exit 1; }
python3 "$here/server.py" "$work/port" "$work/expected.bin" "$work/cert.pem" "$work/key.pem" &
server_pid=$!
for _ in $(seq 200); do
  [ -f "$work/port" ] && break
  sleep 0.05
done
[ -f "$work/port" ] || { echo "test server did not start" >&2; exit 1; }
mkdir "$work/out"
read -r http_port https_port <"$work/port"
export PW_HTTP_BASE="http://127.0.0.1:$http_port"
export PW_HTTPS_BASE="https://127.0.0.1:$https_port"
export PW_HTTP_OUT="$work/out"
within=$(sed -n "s/^' within: \([0-9]*\).*/\1/p" "$script" | head -n1)
start=$(date +%s%N)
bash "$here/../run_script.sh" "$runner" "$script" || exit 1
took_ms=$((($(date +%s%N) - start) / 1000000))
if [ -n "$within" ] && [ "$took_ms" -ge $((within * 1000)) ]; then
  echo "FAILED: $script took ${took_ms} ms, more than ${within} s" >&2
  exit 1
fi
if [ -f "$work/out/download.bin" ] && ! cmp "$work/expected.bin" "$work/out/download.bin"; then
  echo "FAILED: the saved download differs from what the server sent" >&2
  exit 1
fi
