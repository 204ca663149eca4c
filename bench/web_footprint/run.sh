#!/usr/bin/env bash
# The page's footprint in headless Chromium (see footprint.js). Needs the page built by scripts/web.sh, which also
# installs Chromium; the test driver comes from the npm registry.
# Usage: bash bench/web_footprint/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
[ -s build-web/site/shardfall.wasm ] || { echo "web_footprint: no page (bash scripts/web.sh --build-only)" >&2; exit 1; }
bash web/tests/driver.sh
NODE_PATH=$PWD/build-web/test-driver/node_modules node bench/web_footprint/footprint.js build-web/site
