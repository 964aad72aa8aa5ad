#!/bin/sh
# Regenerates every PNG of the game from its SVG source.
# Needs rsvg-convert (librsvg2-bin), ImageMagick (convert) and the fonts
# DejaVu Sans / DejaVu Serif (fonts-dejavu-core).
set -eu
cd "$(dirname "$0")"

render() {
    name=$1; width=$2; height=$3
    rsvg-convert --width "$width" --height "$height" --format png \
        --output "$name.tmp.png" "src/$name.svg"
    # Strip metadata so the files stay small and reproducible. One filter for every row, and no
    # alpha channel where every pixel is opaque: such files decode about twice as fast, and the
    # pictures are decoded while the player waits for a window.
    kind=PNG32
    [ "$(identify -format '%[opaque]' "$name.tmp.png")" = true ] && kind=PNG24
    convert "$name.tmp.png" -strip -define png:compression-filter=2 -define png:compression-level=9 \
        "$kind:$name.png"
    rm -f "$name.tmp.png"
}

render fundo_quiz          954 609
render placa_pergunta      350  95
render placa_ajuda         302 283
render barra_resposta      350  45
render barra_certa         350  45
render escudo              228 162
render placa_acertar       172 144
render placa_errar         172 144
render placa_parar         172 144
render pare                150 136
render ampulheta            38  46
render cordeiro            150 162
render trevo               150 162
render pastores            150 162
render fundo_inicial       553 420
render botao_jogar         211  49
render botao_creditos      211  49
render botao_sair          211  49
render botao_addperguntas  500 116
render fundo_creditos      553 420
render fundo_editor        553 420
render mainicon            128 128
