#!/usr/bin/env bash
# Installs what is needed, builds the program (not the tests), and generates a form and a
# project from the bundled order-entry model.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset dev
cmake --build --preset dev --target tavikfw_cli
mkdir -p out
build/bin/tavikfw generate examples/order_entry.json --name OrderEntry --caption "Order Entry" --force \
  --database orders.mdb --settings out/TAVIK.INI -o out/ORDERENT.FRM
rm -rf out/project
build/bin/tavikfw project examples/order_entry.json -o out/project --database orders.mdb \
  --settings out/TAVIK.INI >/dev/null
echo "out/project"
