#!/usr/bin/env bash
# The benchmark: each figure of the game side by side with its reference, interleaved runs, medians.
#
#   bash tools/bench.sh [--game DIR] [--offscreen] [--runs N]
#
#   --game DIR   measure another checkout of the game (an older commit, say) with this checkout's
#                bench programs; it is built in DIR/build-bench
#   --offscreen  run the whole-process figures on Qt's offscreen platform instead of under Xvfb;
#                an empty window there never talks to a display, so it is no fair reference for
#                the start-up figure
#   --runs N    runs of each process for the start-up figure (default 21; the others scale from it)
#
# It prints one table: figure, median, reference median, ratio, target, and whether it is within.
# Wall times depend on the machine and on what else runs on it: compare figures of one run.
# The 1,000,000-record bank (842 MB) is written once under ${TMPDIR:-/tmp} and reused.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
game=$here
xvfb=1
runs=21
while [ $# -gt 0 ]; do
  case "$1" in
    --game) game=$(cd "$2" && pwd); shift 2 ;;
    --offscreen) xvfb=0; shift ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "bench: unknown option $1" >&2; exit 2 ;;
  esac
done
build=$game/build-bench

bash "$here/tools/setup.sh"
# What the bench needs beyond the game: strace to count system calls, Xvfb for a display.
extra=()
command -v strace >/dev/null 2>&1 || extra+=(strace)
[ "$xvfb" = 0 ] || command -v xvfb-run >/dev/null 2>&1 || extra+=(xvfb xauth)
if [ ${#extra[@]} -gt 0 ]; then
  echo "bench: installing ${extra[*]}"
  if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${extra[@]}"
fi

cmake -S "$game" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PROJECT_INCLUDE="$here/tools/bench/Incluir.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target run_folder banco_jogador \
  bench_medir bench_janela_vazia bench_inicio bench_jogo bench_pergunta bench_carga >/dev/null
bin=$build/bench
run=$build/run

# The program's run folder, its single-instance lock kept apart from a game the user may be
# playing, and no sound card needed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# The whole-process figures run under Xvfb, or on the offscreen platform when asked; the
# in-process one always offscreen.
export QT_QPA_PLATFORM=offscreen
window=()
platform=offscreen
if [ "$xvfb" = 1 ]; then
  window=(xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb)
  platform="xcb under Xvfb"
fi

# The big bank: 1,000,000 records, 8 of them of level 1, spread through it.
records=1000000
bank=${TMPDIR:-/tmp}/pelvant-bench-banco
if [ "$(stat -c %s "$bank/PERGUNTAS.TXT" 2>/dev/null || echo 0)" != $((records * 842)) ]; then
  mkdir -p "$bank"
  free_kib=$(df -Pk "$bank" | awk 'NR == 2 { print $4 }')
  if [ "$free_kib" -lt $((records * 842 / 1024 + 102400)) ]; then
    echo "bench: $bank needs about 850 MB of free disk space for the big bank" >&2
    exit 1
  fi
  echo "bench: writing the 842 MB bank in $bank (once; delete the folder to get the space back)"
  "$bin/bench_carga" gerar "$bank" "$records"
fi

echo "bench: measuring $game ($(git -C "$game" rev-parse --short HEAD 2>/dev/null || echo '?')), platform $platform; $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"

# 1. Start-up to the painted start window, against an empty window of the same size.
saida=$(cd "$run" && "${window[@]}" "$bin/bench_medir" "$runs" 3 -- "$bin/bench_inicio" -- "$bin/bench_janela_vazia")
read -r _ inicio_ms _ <<<"$(sed -n 1p <<<"$saida")"
read -r _ vazia_ms _ <<<"$(sed -n 2p <<<"$saida")"

# 2. Level load of the big bank, against a bare read loop over it (page-cached after the warm-up).
saida=$("$bin/bench_carga" medir "$bank" "$(( runs / 4 > 3 ? runs / 4 : 3 ))")
read -r _ carga_ms <<<"$(sed -n 1p <<<"$saida")"
read -r _ leitura_ms <<<"$(sed -n 2p <<<"$saida")"

# 3. System calls on the bank per record during one level load.
strace -f -y -qq -s 0 -e trace=%file,%desc -e signal=none -o "|grep -c 'PERGUNTAS\\.TXT' >'$work/chamadas'" \
  "$bin/bench_carga" uma "$bank"
chamadas=$(cat "$work/chamadas")

# 4. Presenting a question, beyond the pauses, in the run folder with its real sounds.
saida=$("$bin/bench_pergunta" "$run" "$(( runs / 2 > 5 ? runs / 2 : 5 ))")
read -r _ pergunta_ms <<<"$saida"

# 5. Peak memory of a whole game, against the empty window's.
saida=$(cd "$run" && "${window[@]}" "$bin/bench_medir" "$(( runs / 4 > 3 ? runs / 4 : 3 ))" 1 -- "$bin/bench_jogo" -- "$bin/bench_janela_vazia")
read -r _ _ jogo_kib <<<"$(sed -n 1p <<<"$saida")"
read -r _ _ vazia_kib <<<"$(sed -n 2p <<<"$saida")"

awk -v inicio="$inicio_ms" -v vazia="$vazia_ms" -v carga="$carga_ms" -v leitura="$leitura_ms" \
    -v chamadas="$chamadas" -v registros="$records" -v pergunta="$pergunta_ms" \
    -v jogo="$jogo_kib" -v vaziakib="$vazia_kib" '
function linha(nome, valor, ref, razao, alvo, dentro) {
  printf "%-40s %12s %12s %8s %16s  %s\n", nome, valor, ref, razao, alvo, dentro ? "yes" : "NO"
}
BEGIN {
  printf "%-40s %12s %12s %8s %16s  %s\n", "figure", "median", "reference", "ratio", "target", "within"
  r = inicio / vazia
  linha("start-up to the painted start window", sprintf("%.1f ms", inicio), sprintf("%.1f ms", vazia), sprintf("%.2fx", r), "<= 1.5x", r <= 1.5)
  r = carga / leitura
  linha("level load, 1,000,000 records", sprintf("%.0f ms", carga), sprintf("%.0f ms", leitura), sprintf("%.2fx", r), "<= 1.0x", r <= 1.0)
  r = chamadas / registros
  linha("syscalls on the bank per record", sprintf("%.4f", r), "-", "-", "<= 0.1", r <= 0.1)
  r = pergunta / 16.7
  linha("presenting a question", sprintf("%.2f ms", pergunta), "16.7 ms", sprintf("%.2fx", r), "<= 5 ms", pergunta <= 5)
  d = (jogo - vaziakib) / 1024
  linha("peak RSS during a game", sprintf("%.1f MiB", jogo / 1024), sprintf("%.1f MiB", vaziakib / 1024), sprintf("%.2fx", jogo / vaziakib), "<= ref + 60 MiB", d <= 60)
}'
