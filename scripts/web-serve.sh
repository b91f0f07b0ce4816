#!/usr/bin/env bash
# Builds the browser edition (scripts/web-build.sh) and serves its site, build-web/site, on
# http://127.0.0.1:8000 (PORT=N for another port). Arguments are passed on to the build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web-build.sh "$@"
port="${PORT:-8000}"
echo "Play at http://127.0.0.1:${port}/ (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
