#!/usr/bin/env bash
# Times the real program under Wine (start-up, listing and renaming of 5,000 files) against
# plain loops of the same calls. Usage: bench/program-bench.sh [files] [repetitions]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset windows --target program_bench -j2 >/dev/null
exec tools/with-display.sh cmake/wine-run.sh build/windows/bench/program_bench.exe "$@"
