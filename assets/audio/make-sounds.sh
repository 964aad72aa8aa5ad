#!/bin/bash
# Rebuilds every sound of the game from nothing but sox and lame, into the
# folder this script lives in. Each sound is written out note by note below,
# so a tune can be changed here and regenerated; running it again gives the
# same files.
#
# Noise (snare, cymbal, whoosh, the pluck excitation, the dither) comes from
# sox's random generator. sox is always run with -R, which seeds that
# generator with a fixed value, so the output is repeatable byte for byte.
#
# Usage: bash make-sounds.sh     (needs: sox, lame, awk)
set -euo pipefail
export LC_ALL=C   # awk must print decimal points, not commas

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

readonly RATE=44100
readonly KBPS=112

# ---------------------------------------------------------------- helpers

calc() { awk "BEGIN { printf \"%.6f\", $* }"; }

# Note name (C4, F#3, Bb5) to frequency in Hz, equal temperament, A4 = 440.
hz() {
    awk -v n="$1" 'BEGIN {
        split("C D E F G A B", names, " "); split("0 2 4 5 7 9 11", steps, " ")
        for (i = 1; i <= 7; i++) semi[names[i]] = steps[i]
        s = semi[substr(n, 1, 1)]; rest = substr(n, 2)
        if (substr(rest, 1, 1) == "#") { s++; rest = substr(rest, 2) }
        else if (substr(rest, 1, 1) == "b") { s--; rest = substr(rest, 2) }
        midi = 12 * (rest + 1) + s
        printf "%.4f", 440 * 2 ^ ((midi - 69) / 12)
    }'
}

# Generates from silence: synth with one tone per channel, channels mixed to
# mono by the remix weights. 24-bit intermediates keep the quiet notes clean.
gen() { # out channels length synth-tones... -- effects...
    local out=$1 ch=$2 len=$3; shift 3
    local tones=()
    while [[ $1 != -- ]]; do tones+=("$1"); shift; done
    shift
    sox -R -q -r $RATE -c "$ch" -n -r $RATE -b 24 "$out" synth "$len" "${tones[@]}" "$@"
}

# One sounding event, written as its own file already shifted to its start
# time; the sound is the mix of all its events.
events=()
ev() { # timbre note start length gain-dB
    local timbre=$1 note=$2 start=$3 len=$4 g=$5
    local out="$work/ev$(printf %04d ${#events[@]}).wav"
    local f=0
    [[ $note == - ]] || f=$(hz "$note")
    case $timbre in
    bell) # struck metal: near-harmonic partials, exponential decay
        local ring; ring=$(calc "$len * 2")
        gen "$out" 4 "$ring" sine "$f" sine "$(calc "$f*2")" sine "$(calc "$f*3")" sine "$(calc "$f*4.2")" -- \
            remix 1v0.55,2v0.25,3v0.12,4v0.05 fade l 0 "$ring" "$ring" trim 0 "$len" \
            fade h 0.004 "$len" 0.04 ;;
    pluck) # harp-like string
        gen "$out" 1 "$len" pluck "$f" -- lowpass 5000 fade h 0.003 "$len" 0.05 ;;
    brass) # three detuned saws through a lowpass: a small brass section
        local cut; cut=$(calc "($f * 5 > 3200) ? 3200 : $f * 5")
        gen "$out" 3 "$len" sawtooth "$f" sawtooth "$(calc "$f*1.004")" sawtooth "$(calc "$f*0.996")" -- \
            remix 1v0.3,2v0.25,3v0.25 lowpass "$cut" lowpass "$cut" \
            fade h 0.03 "$len" "$(calc "($len > 0.4) ? 0.15 : $len * 0.35")" ;;
    hit) # brass stab that dies away: for the big final chords
        local cut; cut=$(calc "($f * 6 > 2500) ? 2500 : $f * 6")
        gen "$out" 3 "$len" sawtooth "$f" sawtooth "$(calc "$f*1.006")" sawtooth "$(calc "$f*0.994")" -- \
            remix 1v0.3,2v0.25,3v0.25 lowpass "$cut" lowpass "$cut" \
            fade h 0.012 "$len" "$(calc "$len * 0.85")" ;;
    soft) # flute/organ-like pad
        gen "$out" 2 "$len" triangle "$f" sine "$(calc "$f*2")" -- \
            remix 1v0.6,2v0.15 fade h "$(calc "($len > 0.3) ? 0.05 : 0.01")" "$len" "$(calc "$len * 0.4")" ;;
    thump) # timpani/heartbeat: falling sine with its octave, fast decay
        gen "$out" 2 "$len" sine "$f/$(calc "$f*0.62")" sine "$(calc "$f*2")/$(calc "$f*1.2")" -- \
            remix 1v0.7,2v0.3 fade h 0.004 "$len" "$len" fade l 0 "$len" "$len" ;;
    snare)
        gen "$out" 2 "$len" whitenoise sine 190/150 -- \
            remix 1v0.5,2v0.3 highpass 900 lowpass 7000 fade h 0.002 "$len" "$len" fade l 0 "$len" "$len" ;;
    cymbal)
        local ring; ring=$(calc "$len * 2")
        gen "$out" 1 "$ring" whitenoise -- gain -10 highpass 5000 highpass 4000 \
            fade l 0 "$ring" "$ring" trim 0 "$len" fade h 0.003 "$len" 0.05 ;;
    tick) # clock tick: very short high blip
        gen "$out" 2 "$len" sine "$f" sine "$(calc "$f*2.7")" -- \
            remix 1v0.6,2v0.3 fade h 0.001 "$len" "$len" fade l 0 "$len" "$len" ;;
    buzz) # buzzer: two beating squares, softened
        gen "$out" 3 "$len" square "$f" square "$(calc "$f*1.06")" sawtooth "$(calc "$f*2")" -- \
            remix 1v0.3,2v0.3,3v0.2 lowpass 2200 lowpass 2200 fade h 0.02 "$len" 0.25 ;;
    *) echo "unknown timbre $timbre" >&2; exit 1 ;;
    esac
    if [[ $start == 0 ]]; then
        sox -R -q "$out" "$out.tmp.wav" gain "$g"
    else
        sox -R -q "$out" "$out.tmp.wav" gain "$g" pad "$start"
    fi
    mv "$out.tmp.wav" "$out"
    events+=("$out")
}

# Several events at one start time, e.g. a chord.
chord() { # timbre start length gain-dB note...
    local timbre=$1 start=$2 len=$3 g=$4; shift 4
    local n
    for n in "$@"; do ev "$timbre" "$n" "$start" "$len" "$g"; done
}

# Notes one after another: "NOTE:beats ..." (R = rest) from start at beat length.
line() { # timbre start beat overlap gain-dB "N:b N:b ..."
    local timbre=$1 t=$2 beat=$3 overlap=$4 g=$5 item note b len
    for item in $6; do
        note=${item%%:*}; b=${item#*:}
        len=$(calc "$b * $beat * $overlap")
        [[ $note == R ]] || ev "$timbre" "$note" "$t" "$len" "$g"
        t=$(calc "$t + $b * $beat")
    done
}

# Mixes the pending events (each at -10 dB so the sum has headroom) and the
# stems, normalises to the given peak, trims, fades and encodes; extra effects
# go in before the normalising. Peaks stay at -1.5 dBFS or lower so the MP3
# never clips.
finish() { # name length peak-dB [fade-out [effects...]]
    local name=$1 len=$2 peak=$3 fadeout=${4:-0.08} args=() f
    shift 3; (( $# )) && shift
    local extra=("$@")
    for f in "${events[@]}"; do args+=(-v 0.3 "$f"); done
    for f in "${stems[@]}"; do args+=(-v 1 "$f"); done
    if (( ${#events[@]} + ${#stems[@]} > 1 )); then
        sox -R -q -m "${args[@]}" -b 24 "$work/mix.wav"
    else
        cp "${events[0]}" "$work/mix.wav"
    fi
    sox -R -q "$work/mix.wav" -b 24 "$work/norm.wav" "${extra[@]}" gain -n "$peak" pad 0 "$len"
    sox -R -q "$work/norm.wav" -b 16 "$work/final.wav" trim 0 "$len" fade h 0.005 "$len" "$fadeout" dither -s
    lame --quiet --noreplaygain -m m -b $KBPS "$work/final.wav" "$here/$name.mp3"
    rm -f "${events[@]}" "${stems[@]}" "$work/mix.wav" "$work/norm.wav" "$work/final.wav"
    events=()
    stems=()
}

# A long sound is built section by section: the pending events, timed from
# the section's start, are mixed as finish would mix them into one stem that
# starts at the given second. Padding every note of a minute-long piece to its
# place in the whole would write gigabytes.
stems=()
stem() { # start
    local out="$work/stem$(printf %02d ${#stems[@]}).wav" args=() f
    for f in "${events[@]}"; do args+=(-v 0.3 "$f"); done
    if (( ${#events[@]} > 1 )); then
        sox -R -q -m "${args[@]}" -e floating-point -b 32 "$out" pad "$1"
    else
        sox -R -q "${args[@]}" -e floating-point -b 32 "$out" pad "$1"
    fi
    rm -f "${events[@]}"
    events=()
    stems+=("$out")
}

# Evens out drums against held chords so the quiet parts still carry on
# small speakers.
squeeze="compand 0.005,0.3 6:-60,-60,-30,-16,0,-8 0 -40"

# ---------------------------------------------------------------- tema01
# Opening theme, C major, 8 bars of 4/4: harp arpeggios, a brass melody
# doubled by bells an octave up, and a soft bass. Ends on a rolled chord.
beat=0.54
bar=$(calc "$beat * 4")
arps=(
    "C3 G3 C4 E4 G4 E4 C4 G3"
    "F2 C3 F3 A3 C4 A3 F3 C3"
    "G2 D3 G3 B3 D4 B3 G3 D3"
    "C3 G3 C4 E4 G4 E4 C4 G3"
    "A2 E3 A3 C4 E4 C4 A3 E3"
    "F2 C3 F3 A3 C4 A3 F3 C3"
    "G2 D3 F3 B3 D4 B3 F3 D3"
)
for i in "${!arps[@]}"; do
    line pluck "$(calc "$i * $bar")" "$beat" 2.5 -21 "$(sed 's/\([^ ][^ ]*\)/\1:0.5/g' <<<"${arps[$i]}")"
done
end=$(calc "7 * $bar")
k=0
for n in C3 G3 C4 E4 G4 C5; do
    ev pluck "$n" "$(calc "$end + $k * 0.045")" 2.4 -20; k=$((k + 1))
done
line soft 0 "$beat" 0.9 -17 "C2:2 C2:2 F2:2 F2:2 G2:2 G2:2 C2:2 C2:2 A1:2 A1:2 F2:2 F2:2 G2:2 G2:2 C2:4"
melody="E4:1 G4:1 C5:2  A4:1 C5:1 F5:1.5 E5:0.5  D5:1 B4:1 G4:1 D5:1  C5:2 E5:1 G5:1
        A5:1.5 G5:0.5 E5:1 C5:1  F5:1 E5:1 D5:1 C5:1  D5:1 G5:1 F5:1 D5:1  C5:3.6"
line brass 0 "$beat" 0.95 -15 "$melody"
line bell 0 "$beat" 1.6 -25 "$(sed 's/\([A-G]b\?#\?\)5:/\16:/g; s/\([A-G]b\?#\?\)4:/\15:/g' <<<"$melody")"
chord soft "$end" "$(calc "$bar * 0.9")" -24 E4 G4
finish tema01 "$(calc "$end + 2.3")" -1.5 0.6

# ---------------------------------------------------------------- suspense01
# Under the whole question time: a low pulsing drone and a heartbeat, with
# soft chords moving through A minor two bars each. A harp ostinato comes in
# after the first phrase, bells mark the chords of the middle, and in the last
# part a brass line climbs by semitones while the heartbeat quickens, a faint
# high cluster creeps in and a timpani roll swells to the end.
len=56
beat=0.6
bar=$(calc "$beat * 4")
section=$(calc "$bar * 4")
gen "$work/drone.wav" 3 "$len" sawtooth "$(hz A1)" sawtooth "$(calc "$(hz A1)*1.005")" sine "$(hz A2)" -- \
    remix 1v0.3,2v0.3,3v0.3 lowpass 320 lowpass 320 tremolo 1.6 45 fade h 1.2 "$len" 1.5
sox -R -q "$work/drone.wav" "$work/drone2.wav" gain -14
events+=("$work/drone2.wav")
stem 0

# Chords, the ostinato's notes over each, and the bell on top, two bars each.
chords=("A2 E3 A3 C4" "F2 C3 F3 A3" "D2 A2 D3 F3 A3" "E2 B2 E3 G#3"
        "A2 E3 A3 C4" "F2 C3 F3 A3" "Bb1 F2 Bb2 D3 F3" "E2 B2 E3 G#3"
        "D2 A2 D3 F3 A3" "E2 B2 E3 G#3" "E2 B2 E3 G#3 D4" "E2 B2 E3 G#3 D4")
arps=("A3 C4 E4 C4" "F3 A3 C4 A3" "D4 F4 A4 F4" "E4 G#4 B4 G#4"
      "A3 C4 E4 C4" "F3 A3 C4 A3" "Bb3 D4 F4 D4" "E4 G#4 B4 G#4"
      "D4 F4 A4 F4" "E4 G#4 B4 G#4" "E4 G#4 D5 G#4" "F4 G#4 D5 G#4")
bells=(- - - - E5 F5 F5 E5 F5 E5 D5 F5)

# The heartbeat's pair of beats from `from` to `to` seconds into a section,
# every `gap` seconds, the gap shrinking by `speedup` each time.
heartbeat() { # from to gap speedup gain-dB
    local t=$1 to=$2 gap=$3 speedup=$4 g=$5
    while (( $(awk "BEGIN { print ($t < $to) }") )); do
        ev thump A2 "$t" 0.28 "$g"
        (( $(awk "BEGIN { print ($gap > 0.45) }") )) && ev thump G2 "$(calc "$t + 0.21")" 0.25 "$(calc "$g - 5")"
        t=$(calc "$t + $gap"); gap=$(calc "$gap * $speedup")
    done
}

# A timpani roll on E of `count` strokes, each a little louder.
roll() { # start count gain-dB
    local k=0
    while (( k < $2 )); do
        ev thump E2 "$(calc "$1 + $k * 0.07")" 0.14 "$(calc "$3 + $k * 0.3")"
        k=$((k + 1))
    done
}

for s in 0 1 2 3 4 5; do
    for half in 0 1; do
        c=$((s * 2 + half))
        t=$(calc "$half * $bar * 2")
        # shellcheck disable=SC2086
        chord soft "$t" "$(calc "$bar * 2.1")" "$(calc "-25 + $s * 0.8")" ${chords[$c]}
        if (( s >= 1 )); then
            notes=""
            for n in ${arps[$c]} ${arps[$c]} ${arps[$c]} ${arps[$c]}; do notes+="$n:0.5 "; done
            line pluck "$t" "$beat" 1.6 "$(calc "-24 + $s * 1.2")" "$notes"
        fi
        [[ ${bells[$c]} == - ]] || ev bell "${bells[$c]}" "$t" 2.4 -27
    done
    case $s in
    0|1) heartbeat 0.3 "$section" 1.2 1 -8 ;;
    2|3) heartbeat 0 "$section" 0.6 1 -8 ;;
    4) heartbeat 0 "$section" 0.6 0.975 -8 ;;
    5) heartbeat 0 "$(calc "$len - $s * $section - 0.5")" 0.33 0.985 -8 ;;
    esac
    # The climb: semitones from E3 up to the E4 that lands just before the
    # time runs out, over a timpani roll, with the high cluster coming in.
    if (( s == 4 )); then
        line brass 0 "$beat" 0.98 -20 "E3:2 F3:2 F#3:2 G3:2 G#3:2 A3:2 A#3:1 B3:1 C4:1 C#4:1"
        roll 6.0 52 -26
        rest=$(calc "$len - $s * $section")
        gen "$work/hi.wav" 2 "$rest" triangle "$(hz E5)" triangle "$(hz F5)" -- \
            remix 1v0.3,2v0.3 tremolo 7 60 fade t 8 "$rest" 1.5
        sox -R -q "$work/hi.wav" "$work/hi2.wav" gain -30
        events+=("$work/hi2.wav")
    elif (( s == 5 )); then
        line brass 0 "$beat" 0.98 -18 "D4:1 D#4:1 E4:12"
        roll 0 17 -11
        chord hit 1.2 3.0 -20 E2 B2 E3
        ev cymbal - 1.2 2.5 -18
    fi
    stem "$(calc "$s * $section")"
done
finish suspense01 "$len" -1.5 1.5 $squeeze

# ---------------------------------------------------------------- tempo01
# Time is up: a clock ticking fast, then a soft buzzer.
k=0
for t in 0 0.16 0.32 0.48 0.64; do
    if (( k % 2 == 0 )); then ev tick E7 "$t" 0.06 -6; else ev tick A6 "$t" 0.06 -8; fi
    k=$((k + 1))
done
ev buzz A2 0.85 1.4 -4
ev thump A2 0.85 0.3 -8
finish tempo01 2.4 -5

# ---------------------------------------------------------------- certa01
# Right answer: bells rising through C major, a sparkle on top, a soft chord.
k=0
for n in C5 E5 G5 C6 E6 G6; do
    t=$(calc "$k * 0.075")
    ev bell "$n" "$t" "$(calc "2.1 - $t")" -10; k=$((k + 1))
done
chord soft 0.22 1.7 -18 C4 E4 G4
finish certa01 2.1 -1.5

# ---------------------------------------------------------------- errou
# Wrong answer: a short minor brass chord, then the same chord a semitone
# lower, sagging and wobbling as it fades.
chord brass 0 0.32 -12 E3 G3 B3
for n in Eb3 Gb3 Bb3; do
    f=$(hz "$n")
    gen "$work/sag$n.wav" 3 1.5 sawtooth "$f/$(calc "$f*0.94")" sawtooth "$(calc "$f*1.004")/$(calc "$f*0.944")" \
        sawtooth "$(calc "$f*0.996")/$(calc "$f*0.936")" -- \
        remix 1v0.3,2v0.25,3v0.25 lowpass 1100 lowpass 1100 tremolo 5.5 55 fade h 0.04 1.5 0.9
    sox -R -q "$work/sag$n.wav" "$work/sag$n-2.wav" gain -12 pad 0.4
    events+=("$work/sag$n-2.wav")
done
ev thump E2 0.4 0.5 -10
finish errou 2.0 -7

# ---------------------------------------------------------------- vaipular02
# Skip: a rising whoosh. Band-limited noise ring-modulated by a sine glide
# moves the noise band up with the glide; the highpass removes the unmoved rest.
gen "$work/whoosh.wav" 1 1.0 whitenoise -- lowpass 500 lowpass 500 \
    synth 1.0 sine amod 250/3500 highpass 300 fade h 0.35 1.0 0.45
gen "$work/glide.wav" 1 1.0 sine 300/1800 -- fade h 0.3 1.0 0.5 gain -26
events+=("$work/whoosh.wav" "$work/glide.wav")
finish vaipular02 1.0 -3

# ---------------------------------------------------------------- parou01
# The player stops: a gentle IV - V7 - I cadence with the top voice
# stepping up to the tonic.
chord soft 0 0.75 -16 F2 F3 A3 C4
ev pluck A4 0 0.9 -14
chord soft 0.7 0.75 -16 G2 G3 B3 F4
ev pluck B4 0.7 0.9 -14
chord soft 1.4 1.25 -15 C2 C3 E4 G4
ev pluck C5 1.4 1.3 -13
ev bell C6 1.4 1.2 -24
finish parou01 2.6 -1.5

# ---------------------------------------------------------------- ganhoumilhao
# The million: a brass fanfare over timpani, closing on a big C major chord
# with a rising bell sparkle and a cymbal.
line brass 0 1 0.9 -11 "G4:0.16 C5:0.16 E5:0.16 G5:0.77 F5:0.3 E5:0.15 F5:0.2 A5:0.9
                          G5:0.3 F5:0.3 E5:0.3 D5:0.3 E5:0.3 B4:0.3"
line brass 0 1 0.9 -16 "R:0.48 E4:0.77 C5:0.3 C5:0.15 C5:0.2 F5:0.9 E5:0.3 D5:0.3 C5:0.3 B4:0.3 D5:0.3 G4:0.3"
chord brass 0.48 0.72 -19 C4 G3
chord brass 1.9 0.85 -19 A3 C4 F4
chord brass 2.8 0.6 -19 G3 C4 E4
chord brass 3.4 0.6 -19 A3 C4 E4
chord brass 4.0 0.6 -19 G3 B3 F4
ev thump C2 0.48 0.6 -11
ev thump G1 1.9 0.6 -11
ev thump G1 4.0 0.3 -9
for k in 0 1 2 3 4 5 6; do ev thump G1 "$(calc "4.1 + $k * 0.07")" 0.2 "$(calc "-16 + $k")"; done
ev thump C2 4.6 1.2 -9
chord hit 4.6 2.4 -13 C3 G3 C4 E4 G4 C5
ev brass C6 4.6 2.2 -14
k=0
for n in C6 E6 G6 C7 E7; do ev bell "$n" "$(calc "4.6 + $k * 0.07")" 1.6 -17; k=$((k + 1)); done
ev cymbal - 4.6 2.3 -12
finish ganhoumilhao 7.0 -1.5 0.5 $squeeze

# ---------------------------------------------------------------- 1000000
# The all-or-nothing question: snare and timpani roll swelling, then a
# dark low brass hit (C minor) with a crash.
k=0
while (( k < 56 )); do
    t=$(calc "$k * 0.046")
    ev snare - "$t" 0.09 "$(calc "-12 + $k * 0.2")"
    (( k % 2 == 0 )) && ev thump C2 "$t" 0.15 "$(calc "-16 + $k * 0.2")"
    k=$((k + 1))
done
chord hit 2.6 1.4 -11 C2 G2 C3 Eb3 G3
ev thump C2 2.6 1.0 -9
ev cymbal - 2.6 1.4 -14
finish 1000000 4.0 -1.5 0.3 $squeeze

echo "sounds written to $here"
