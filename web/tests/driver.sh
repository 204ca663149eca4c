#!/usr/bin/env bash
# Installs the page's test driver (playwright-core, at the version web/tests/package.json names) into
# build-web/test-driver; quick when it is there.
set -euo pipefail
cd "$(dirname "$0")/../.."
driver=build-web/test-driver
if ! cmp -s web/tests/package.json "$driver/package.json" || [ ! -d "$driver/node_modules/playwright-core" ]; then
  mkdir -p "$driver" && cp web/tests/package.json "$driver/"
  (cd "$driver" && npm install --no-package-lock --no-audit --no-fund --loglevel=error)
fi
