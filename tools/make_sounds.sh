#!/usr/bin/env bash
# Writes the thirty game and chatter sounds into resources/sounds/ from speech and synthesis.
# Run by hand after changing a sound, then commit the WAV files; the build only reads them.
# Usage: tools/make_sounds.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-resources/sounds}"
mkdir -p "$out"

need=()
command -v sox >/dev/null || need+=(sox)
command -v espeak-ng >/dev/null || need+=(espeak-ng)
if [ ${#need[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${need[@]}"
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Game sounds are short and bright, so they keep a higher rate; the chatter sounds are mostly
# voices and noise, where 11 kHz is plenty and keeps the program small.
GAME_RATE=16000
CHAT_RATE=11025

# -R makes noise and dither repeatable, so running the script twice writes the same bytes.
SOX=(sox -R -V1)
# The same for the clapping and cheering crowds, which draw their jitter from bash. Bash reseeds
# RANDOM in every subshell, so it is only ever read outside $(...).
RANDOM=7772

calc() { awk "BEGIN { printf \"%.6f\", $* }"; }

# Generates into a temporary file: gen NAME sox-synth-arguments...
gen() {
    local name=$1
    shift
    "${SOX[@]}" -n -r 44100 -b 16 -c 1 "$tmp/$name.wav" "$@"
}

# Mixes temporary files: mix OUT IN[:volume] ...
mix() {
    local name=$1
    shift
    local args=()
    for spec in "$@"; do
        local file=${spec%%:*} vol=1
        [[ $spec == *:* ]] && vol=${spec#*:}
        args+=(-v "$vol" "$tmp/$file.wav")
    done
    if [ ${#args[@]} -eq 2 ]; then
        "${SOX[@]}" "${args[@]}" "$tmp/$name.wav"
    else
        "${SOX[@]}" -m "${args[@]}" "$tmp/$name.wav"
    fi
}

# Joins temporary files one after the other: cat OUT IN...
join() {
    local name=$1
    shift
    local files=()
    for f in "$@"; do files+=("$tmp/$f.wav"); done
    "${SOX[@]}" "${files[@]}" "$tmp/$name.wav"
}

# Silence of a given length: rest NAME SECONDS
rest() { gen "$1" trim 0 "$2"; }

# Speaks a text: say NAME VOICE PITCH SPEED TEXT
say() {
    espeak-ng -v "$2" -p "$3" -s "$4" -w "$tmp/$1.raw.wav" "$5"
    # espeak leaves a little silence at both ends; the resource should start at once.
    # It also stops dead on the last sample, so a short fade keeps that from clicking.
    "${SOX[@]}" "$tmp/$1.raw.wav" -r 44100 "$tmp/$1.wav" silence 1 0.005 0.5% reverse \
        silence 1 0.005 0.5% fade q 0.04 reverse
}

# Writes a resource: [level=DB] finish SOURCE RESOURCE RATE BITS [extra effects]
# Peaks are normalised to -3 dBFS so nothing clips; the dense buzzes ask for a lower level to
# sound as loud as the rest.
finish() {
    local src=$1 res=$2 rate=$3 bits=$4 enc=(-e signed-integer)
    shift 4
    # Dither at 8 bits would fill every pause with hiss; the noisy sounds kept at 8 bits hide
    # their rounding without it.
    [ "$bits" = 8 ] && enc=(-e unsigned-integer -D)
    # Short fades at both ends, so no sound starts or stops with a click.
    "${SOX[@]}" "$tmp/$src.wav" -r "$rate" -b "$bits" -c 1 "${enc[@]}" "$out/$res.wav" "$@" \
        fade q 0.002 reverse fade q 0.01 reverse gain -n "${level:--3}"
    printf '%-14s %6.3f s %7d bytes\n' "$res.wav" "$(soxi -D "$out/$res.wav")" \
        "$(stat -c %s "$out/$res.wav")"
}

# A struck metal bar: bell NAME FREQ SECONDS. The upper partials die faster than the fundamental,
# which is what makes it sound struck rather than switched on.
bell() {
    local name=$1 f=$2 d=$3
    gen "$name.1" synth "$d" sine "$f" fade l 0.002 "$d" "$d"
    gen "$name.2" synth "$(calc "$d * 0.5")" sine "$(calc "$f * 2.76")" fade l 0.001 \
        "$(calc "$d * 0.5")" "$(calc "$d * 0.5")"
    gen "$name.3" synth "$(calc "$d * 0.2")" sine "$(calc "$f * 5.40")" fade l 0.001 \
        "$(calc "$d * 0.2")" "$(calc "$d * 0.2")"
    mix "$name" "$name.1:0.6" "$name.2:0.3" "$name.3:0.15"
}

# A church-like bell with its hum and minor third: churchbell NAME FREQ SECONDS
churchbell() {
    local name=$1 f=$2 d=$3
    gen "$name.hum" synth "$d" sine "$(calc "$f * 0.5")" fade l 0.004 "$d" "$d"
    gen "$name.prime" synth "$d" sine "$f" fade l 0.002 "$d" "$d"
    gen "$name.tierce" synth "$(calc "$d * 0.7")" sine "$(calc "$f * 1.2")" fade l 0.002 \
        "$(calc "$d * 0.7")" "$(calc "$d * 0.7")"
    gen "$name.quint" synth "$(calc "$d * 0.5")" sine "$(calc "$f * 1.5")" fade l 0.002 \
        "$(calc "$d * 0.5")" "$(calc "$d * 0.5")"
    gen "$name.nominal" synth "$(calc "$d * 0.4")" sine "$(calc "$f * 2.0")" fade l 0.001 \
        "$(calc "$d * 0.4")" "$(calc "$d * 0.4")"
    mix "$name" "$name.hum:0.35" "$name.prime:0.5" "$name.tierce:0.25" "$name.quint:0.15" \
        "$name.nominal:0.3"
}

# A brass note: brass NAME FREQ SECONDS
brass() {
    local name=$1 f=$2 d=$3
    gen "$name" synth "$d" sawtooth "$f" sawtooth "$(calc "$f * 1.003")" \
        lowpass "$(calc "$f * 6")" overdrive 4 fade q 0.025 "$d" "$(calc "$d * 0.3")" gain -n -6
}

# One clapper: a train of short noise claps with a little jitter: clapper NAME SECONDS
clapper() {
    local name=$1 d=$2 t=0 i=0 parts=()
    local lo=$((700 + RANDOM % 900)) hi=$((2500 + RANDOM % 2500))
    gen "$name.clap" synth 0.035 whitenoise highpass "$lo" lowpass "$hi" fade l 0.001 0.035 0.03
    local r=$((RANDOM % 300))
    rest "$name.lead" "$(calc "$r / 1000.0")"
    parts+=("$name.lead")
    while [ "$(awk "BEGIN { print ($t < $d) }")" = 1 ]; do
        local gap r=$((RANDOM % 120)) v=$((RANDOM % 50))
        gap=$(calc "0.17 + $r / 1000.0")
        rest "$name.gap$i" "$gap"
        "${SOX[@]}" -v "$(calc "0.5 + $v / 100.0")" "$tmp/$name.clap.wav" \
            "$tmp/$name.c$i.wav"
        parts+=("$name.c$i" "$name.gap$i")
        t=$(calc "$t + $gap + 0.035")
        i=$((i + 1))
    done
    join "$name" "${parts[@]}"
}

# ---------------------------------------------------------------------------------------------
# Game sounds

# PLACECARD: a card slapped on the table, a bright snap over a soft thump.
gen snap synth 0.09 whitenoise highpass 1500 lowpass 7000 fade l 0.001 0.09 0.085
gen thump synth 0.09 sine 170:80 fade l 0.001 0.09 0.08
mix placecard snap:1 thump:0.7
finish placecard placecard "$GAME_RATE" 16

# CRIBCARD: cards slid across the cloth to the crib, then tapped square.
gen swish synth 0.24 pinknoise highpass 900 lowpass 5000 fade h 0.1 0.24 0.14
gen tap synth 0.05 whitenoise highpass 1200 lowpass 5000 fade l 0.001 0.05 0.045
gen tapthump synth 0.05 sine 200:100 fade l 0.001 0.05 0.045
mix tap2 tap:0.8 tapthump:0.6
rest gap1 0.03
join cribcard swish gap1 tap2 tap2
finish cribcard cribcard "$GAME_RATE" 16

# GO: a short wooden tock, barely longer than a click.
"${SOX[@]}" -n -r 44100 -b 16 -c 2 "$tmp/go.wav" synth 0.06 sine 1320 sine 1985 remix - \
    fade l 0.002 0.06 0.055
finish go go "$GAME_RATE" 16

# POINTS: a quick two-note pegging chime.
bell p1 1318.5 0.35
bell p2 1568.0 0.5
"${SOX[@]}" -m "$tmp/p1.wav" "|sox -R $tmp/p2.wav -p pad 0.09" "$tmp/points.wav"
finish points points "$GAME_RATE" 16

# TURN: the classic turn bell, one stroke of a small church bell.
churchbell turn 880 1.2
"${SOX[@]}" "$tmp/turn.wav" "$tmp/turnr.wav" pad 0 0.2 reverb 30 50 60
finish turnr turn "$GAME_RATE" 16 trim 0 1.3

# TURNNEW: the newer turn tone, a soft rising marimba pair.
gen tn1.a synth 0.3 sine 1046.5 fade l 0.004 0.3 0.29
gen tn1.b synth 0.08 sine 4186 fade l 0.001 0.08 0.07
mix tn1 tn1.a:0.8 tn1.b:0.15
gen tn2.a synth 0.5 sine 1568 fade l 0.004 0.5 0.49
gen tn2.b synth 0.08 sine 6272 fade l 0.001 0.08 0.07
mix tn2 tn2.a:0.8 tn2.b:0.12
"${SOX[@]}" -m "$tmp/tn1.wav" "|sox -R $tmp/tn2.wav -p pad 0.16" "$tmp/turnnew.wav"
finish turnnew turnnew "$GAME_RATE" 16

# ENTERED: somebody arrives, an upward bloop and a bright plucked note.
gen bloop synth 0.12 sine 400:1200 fade q 0.01 0.12 0.04
gen pluck synth 0.5 pluck 1046.5 fade l 0 0.5 0.45
"${SOX[@]}" -m -v 0.6 "$tmp/bloop.wav" -v 1 "|sox -R $tmp/pluck.wav -p pad 0.1" \
    "$tmp/entered.wav"
finish entered entered "$GAME_RATE" 16

# ROUNDOVER: the deal is done, three descending glockenspiel notes with a little room.
bell r1 1568.0 0.4
bell r2 1318.5 0.4
bell r3 1046.5 0.8
"${SOX[@]}" -m "$tmp/r1.wav" "|sox -R $tmp/r2.wav -p pad 0.2" "|sox -R $tmp/r3.wav -p pad 0.4" \
    "$tmp/round.wav" pad 0 0.2 reverb 40 50 70
finish round roundover "$GAME_RATE" 16 trim 0 1.4

# WINNER: a brass fanfare rising to a held major chord.
brass w1 392.0 0.16
brass w2 523.3 0.16
brass w3 659.3 0.16
brass w4 784.0 0.36
brass w5 659.3 0.16
brass c1 523.3 1.3
brass c2 659.3 1.3
brass c3 784.0 1.3
brass c4 1046.5 1.3
mix chord c1:0.6 c2:0.5 c3:0.5 c4:0.4
"${SOX[@]}" "$tmp/chord.wav" "$tmp/chordv.wav" tremolo 5.5 15
rest wg 0.02
join fanfare w1 wg w2 wg w3 wg w4 wg w5 wg chordv
"${SOX[@]}" "$tmp/fanfare.wav" "$tmp/winner.wav" pad 0 0.3 reverb 35 50 80
finish winner winner "$GAME_RATE" 16 trim 0 2.7 fade 0 2.7 0.25

# WRONG: a flat, rough buzz, twice.
gen buzz synth 0.17 square 118 square 125 remix - lowpass 2500 overdrive 6 fade t 0.005 0.17 0.02
rest bgap 0.06
join wrong buzz bgap buzz
level=-8 finish wrong wrong "$GAME_RATE" 16

# ---------------------------------------------------------------------------------------------
# Chatter sounds

# WAVE1 "Doh"
say doh en-us+m3 25 120 "Doh!"
finish doh wave1 "$CHAT_RATE" 16

# WAVE2 "Cough": three dry coughs, a voiced bark over a burst of breath each.
for i in 1 2 3; do
    d=$(calc "0.2 - $i * 0.02")
    gen cough$i.air synth "$d" pinknoise highpass 250 lowpass 2800 fade l 0.008 "$d" \
        "$(calc "$d - 0.02")"
    gen cough$i.voice synth 0.07 sawtooth "$((150 - i * 8))" lowpass 900 fade l 0.005 0.07 0.05
    mix cough$i cough$i.air:1 cough$i.voice:0.5
done
rest cg1 0.14
rest cg2 0.11
join cough cough1 cg1 cough2 cg2 cough3
finish cough wave2 "$CHAT_RATE" 16

# WAVE3 "Hello"
say hello en-us+m2 55 150 "Hello!"
finish hello wave3 "$CHAT_RATE" 16

# WAVE4 "Thank You"
say thanks en+f2 60 140 "Thank you!"
finish thanks wave4 "$CHAT_RATE" 16

# WAVE5 "Where have you been?"
say where en-us+m4 45 150 "Where have you been?"
finish where wave5 "$CHAT_RATE" 16

# WAVE6 "Snoring": two slow breaths, a rattling snore in and a soft sigh out.
gen snore.in synth 1.3 brownnoise synth 1.3 exp amod 31 0 0 20 90 \
    highpass 70 lowpass 650 fade h 0.5 1.3 0.45
gen snore.hum synth 1.3 sawtooth 62 synth 1.3 exp amod 31 0 0 20 90 lowpass 400 \
    fade h 0.5 1.3 0.45
mix snore.a snore.in:1 snore.hum:0.35
gen snore.out synth 0.8 pinknoise highpass 200 lowpass 1000 fade h 0.3 0.8 0.5
rest snore.g1 0.15
rest snore.g2 0.25
"${SOX[@]}" "$tmp/snore.out.wav" "$tmp/snore.o.wav" vol 0.25
join snore snore.a snore.g1 snore.o snore.g2 snore.a snore.g1 snore.o
finish snore wave6 8000 16

# WAVE7 "Sneezing": a rising "ah... ah..." and the burst of "choo".
say ah1 en+f2 45 110 "Ah"
say ah2 en+f2 70 110 "Ahh"
say choo en+f2 60 190 "choo!"
gen sneeze.air synth 0.3 whitenoise highpass 1800 lowpass 7000 fade l 0.003 0.3 0.27
"${SOX[@]}" -m -v 0.8 "$tmp/choo.wav" -v 0.7 "$tmp/sneeze.air.wav" "$tmp/chooair.wav"
rest sn1 0.12
rest sn2 0.08
join sneeze ah1 sn1 ah2 sn2 chooair
finish sneeze wave7 "$CHAT_RATE" 16

# WAVE8 "Sorry"
say sorry en-gb+m3 45 140 "Sorry."
finish sorry wave8 "$CHAT_RATE" 16

# WAVE9 "Welcome"
say welcome en-us+f4 55 150 "Welcome!"
finish welcome wave9 "$CHAT_RATE" 16

# WAVE10 "Yeehaa": a cowboy's whoop, the second syllable drawn out and bent upward.
say yee en-us+m7 80 130 "Yee"
say haw en-us+m7 70 80 "haw!"
"${SOX[@]}" "$tmp/haw.wav" "$tmp/haw2.wav" bend 0,300,0.15 0.2,-400,0.3
rest yeegap 0.05
join yeehaw yee yeegap haw2
finish yeehaw wave10 "$CHAT_RATE" 16

# WAVE11 "Yippee"
say yippee en+f3 90 150 "Yippee!"
finish yippee wave11 "$CHAT_RATE" 16

# WAVE12 "Oh No"
say ohno en-us+m1 40 110 "Oh no!"
finish ohno wave12 "$CHAT_RATE" 16

# WAVE13 "Applause": a dozen people clapping, swelling and dying away.
claps=()
for i in $(seq 1 12); do
    clapper clap$i 3.6
    claps+=("clap$i:0.35")
done
mix applause "${claps[@]}"
"${SOX[@]}" "$tmp/applause.wav" "$tmp/applause2.wav" trim 0 3.8 reverb 20 50 50 \
    fade q 0.4 3.8 1.3
finish applause2 wave13 "$CHAT_RATE" 8

# WAVE14 "Honk": an old car horn, two reedy notes a third apart.
gen honk synth 0.55 square 392 square 494 remix - bandpass 1000 1200h overdrive 8 \
    fade t 0.01 0.55 0.05
level=-7 finish honk wave14 "$CHAT_RATE" 16

# WAVE15 "Oooh": an impressed table, three voices sliding down together.
say ooh1 en-us+m2 45 80 "Ooh!"
say ooh2 en+f3 70 80 "Ooh!"
say ooh3 en-us+m5 30 80 "Ooh!"
for i in 1 2 3; do
    "${SOX[@]}" "$tmp/ooh$i.wav" "$tmp/ooh$i.s.wav" tempo -s 0.55 bend 0.2,-250,0.6
done
"${SOX[@]}" -m "$tmp/ooh1.s.wav" "|sox -R $tmp/ooh2.s.wav -p pad 0.04" \
    "|sox -R $tmp/ooh3.s.wav -p pad 0.08" "$tmp/ooh.wav" pad 0 0.2 reverb 30
finish ooh wave15 "$CHAT_RATE" 16

# WAVE16 "Razzberry": lips blown into a wobbling buzz.
gen razz.buzz synth 1.1 sawtooth 85:70 synth 1.1 sine amod 27 0 0 synth 1.1 sine fmod 6 0 0 \
    lowpass 1800 overdrive 10
gen razz.air synth 1.1 pinknoise synth 1.1 sine amod 27 highpass 500 lowpass 3000
mix razz razz.buzz:0.8 razz.air:0.3
"${SOX[@]}" "$tmp/razz.wav" "$tmp/razz2.wav" fade q 0.04 1.1 0.2
finish razz2 wave16 "$CHAT_RATE" 16

# WAVE17 "Cheer": a small crowd shouting hooray and whooping over clapping and a whistle.
cheer=()
voices=(en-us+m1 en-us+m3 en+f2 en-us+m7 en+f4 en-gb+m2)
words=("Hooray!" "Yay!" "Woo hoo!" "Yay!" "Hooray!" "Woo!")
for round in 0 1; do
    for i in "${!voices[@]}"; do
        v=$(((i + round * 2) % ${#voices[@]}))
        say cheer$round$i "${voices[$v]}" $((40 + RANDOM % 50)) $((120 + RANDOM % 40)) \
            "${words[$i]}"
        r=$((RANDOM % 600))
        "${SOX[@]}" "$tmp/cheer$round$i.wav" "$tmp/cheer$round$i.p.wav" \
            pad "$(calc "$round * 0.9 + $r / 1000.0")"
        cheer+=("cheer$round$i.p:0.35")
    done
done
for i in 1 2 3 4; do
    clapper cheerclap$i 3.2
    cheer+=("cheerclap$i:0.25")
done
gen whistle synth 0.7 sine 1900:2700 synth 0.7 sine fmod 9 0 0 fade q 0.05 0.7 0.2 pad 0.9
cheer+=("whistle:0.15")
mix cheer "${cheer[@]}"
"${SOX[@]}" "$tmp/cheer.wav" "$tmp/cheer2.wav" pad 0 0.3 reverb 40 50 80 trim 0 3 fade q 0.1 3 0.8
finish cheer2 wave17 "$CHAT_RATE" 8

# WAVE18 "Woman Laughing": quick high peals, falling in pitch as she runs out of breath.
say wlaugh en+f3 85 220 "ha ha ha ha ha ha ha!"
"${SOX[@]}" "$tmp/wlaugh.wav" "$tmp/wlaugh2.wav" tremolo 7 30 bend 0.3,-200,0.9
finish wlaugh2 wave18 "$CHAT_RATE" 16

# WAVE19 "Man Laughing": a deep belly laugh.
say mlaugh en+m3 15 180 "ho ho ho, ha ha ha ha!"
"${SOX[@]}" "$tmp/mlaugh.wav" "$tmp/mlaugh2.wav" tremolo 6 25
finish mlaugh2 wave19 "$CHAT_RATE" 16

# WAVE20 "Crying": wailing and sobbing, shaky with tremolo.
say wail1 en+f5 99 90 "waaah"
say sob en+f5 90 200 "uh huh huh"
say wail2 en+f5 95 80 "waaaah"
rest cry.g1 0.15
rest cry.g2 0.1
join cry wail1 cry.g1 sob cry.g2 wail2
"${SOX[@]}" "$tmp/cry.wav" "$tmp/cry2.wav" pitch 300 bend 0.1,-150,0.6 tremolo 6 40 trim 0 4.5
finish cry2 wave20 "$CHAT_RATE" 16

total=$(cat "$out"/*.wav | wc -c)
echo "total: $total bytes in $(ls "$out"/*.wav | wc -l) files"
