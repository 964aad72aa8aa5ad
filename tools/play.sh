#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from its run folder.
set -euo pipefail
cd "$(dirname "$0")/.."

# Without a display the game could only fail or hang; say so before spending time on a build.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  echo "Start the game from a terminal inside a desktop session." >&2
  exit 1
fi

bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
# Only what the game needs: a test that does not build must not keep anyone from playing.
cmake --build build -j "$(nproc)" --target Pelvant run_folder banco_jogador

# The game finds its sounds, pages and question banks in its working directory.
cd build/run
exec ./Pelvant
