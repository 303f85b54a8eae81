#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
exec build/bin/mortavel "$@"
