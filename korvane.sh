#!/usr/bin/env bash
# Korvane PC: set up, build, and run the demo or the tests.
#   ./korvane.sh demo [N]  install what is missing, build, run the station against the
#                          simulated product N (5: Birch Robot Car, the default; 8: Birch
#                          Balance Car; any product the simulator has)
#   ./korvane.sh test   install what is missing, build, run every test
#   ./korvane.sh build  install what is missing and build only
#   ./korvane.sh sanitize  build with AddressSanitizer and UndefinedBehaviorSanitizer in
#                          build-asan and run every test there
#   ./korvane.sh tsan   build with ThreadSanitizer in build-tsan and run every test there
#   ./korvane.sh extra-product  build with a 17th product added to the product table (one row)
#                               in build-extra and run every test there
#   ./korvane.sh check-forms  generate the panel forms again and fail if they differ from the
#                             committed ones
#   ./korvane.sh translations  gather the texts of the sources and forms into the .ts files of
#                              resources/translations (new ones arrive unfinished: translate them
#                              in Qt Linguist, linguist6 or /usr/lib/qt6/bin/linguist)
#   ./korvane.sh package  build the Debian package korvane_<version>_<arch>.deb in build/package
#   ./korvane.sh package-check  build the package, check it with lintian, install it with apt-get,
#                               run the installed station against the installed simulator and
#                               remove it again
#   ./korvane.sh fuzz [SECONDS]  build the libFuzzer targets with clang in build-fuzz and run
#                                each for SECONDS (default 15) from its seeds
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config python3 qt6-base-dev qt6-serialport-dev qt6-charts-dev libgl-dev
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libmosquitto-dev qtkeychain-qt6-dev mosquitto
          mosquitto-clients python3-paho-mqtt gnome-keyring dbus openssl fonts-wqy-microhei
          desktop-file-utils appstream)
BUILD_DIR=${BUILD_DIR:-build}

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
}

build() {
    install_missing
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD_DIR" -j2
}

demo() {
    local product=${1:-5}
    build
    DEMO_TMP=$(mktemp -d)
    local tty="$DEMO_TMP/korvane-demo-tty"
    # The training boards' own part of the demo: someone types 12+3= on the board's keypad,
    # or presses the kit's buttons and moves its joystick; then the board shows its state.
    local script=() quit_after=4000
    case "$product" in
    0 | 1 | 2)
        printf 'wait-frame\nsleep 2600\nkeys 12+3=\nsleep 1500\ndump\n' >"$DEMO_TMP/board.script"
        script=(--script "$DEMO_TMP/board.script")
        quit_after=5000
        ;;
    3 | 4)
        # The kit's own part: buttons, switches, the joystick and a remote key.
        printf 'wait-frame\nsleep 1500\nbutton 1 1\nbutton 3 1\ntilt 1\ntouch 1 623\njoy 120 900\nsleep 300\nirkey 5\nsleep 1500\ndump\n' \
            >"$DEMO_TMP/board.script"
        script=(--script "$DEMO_TMP/board.script")
        quit_after=4500
        ;;
    esac
    "$BUILD_DIR/sim/korvane-sim" --product "$product" --link "$tty" --control-port 0 \
        --video-port 0 "${script[@]}" >"$DEMO_TMP/sim.log" 2>&1 &
    SIM_PID=$!
    trap 'kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; rm -rf "$DEMO_TMP"' EXIT
    for _ in $(seq 50); do
        [ -e "$tty" ] && break
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -e "$tty" ]; then
        echo "The simulator did not start for product $product:" >&2
        cat "$DEMO_TMP/sim.log" >&2
        exit 1
    fi
    local station=("$BUILD_DIR/src/korvane" --product "$product" --port "$tty" --baud 115200 --trace)
    # The Raspberry Pi cars also offer their control service on TCP: the demo connects to it.
    local control
    if [ "$product" = 13 ] || [ "$product" = 15 ]; then
        for _ in $(seq 50); do grep -q '^VIDEO ' "$DEMO_TMP/sim.log" && break; sleep 0.1; done
    fi
    control=$(sed -n 's/^CONTROL //p' "$DEMO_TMP/sim.log" | head -n 1)
    if [ -n "$control" ]; then
        station+=(--control-address 127.0.0.1 --control-port "$control")
        station+=(--video-address "$(sed -n 's/^VIDEO //p' "$DEMO_TMP/sim.log" | head -n 1)")
    fi
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        echo "Station on $tty (simulated product $product). Drive with W/A/S/D/Space/arrows."
        "${station[@]}"
    else
        local shot="$BUILD_DIR/demo-screenshot.png"
        echo "No display: running the demo headless; frames exchanged:"
        local rc=0
        QT_QPA_PLATFORM=offscreen "${station[@]}" --demo --quit-after "$quit_after" --screenshot "$shot" ||
            rc=$?
        echo "Simulated device's log:"
        cat "$DEMO_TMP/sim.log"
        if [ "$rc" -ne 0 ]; then
            echo "The demo failed (exit code $rc)." >&2
            exit "$rc"
        fi
        echo "Screenshot of the main window: $shot"
    fi
}

# The board and Wi-Fi car forms are written by scripts: the committed forms must be exactly what
# the scripts write, so that a change made by hand in one is never lost by the next run.
check_forms() {
    install_missing
    local out
    out=$(mktemp -d)
    trap 'rm -rf "$out"' RETURN
    cp -r resources/forms "$out/before"
    python3 scripts/make_board_forms.py
    python3 scripts/make_wifi_forms.py
    if ! diff -ru "$out/before" resources/forms; then
        cp -r "$out/before/." resources/forms/
        echo "The generated forms differ from the committed ones (diff above)." >&2
        return 1
    fi
    echo "The generated forms are the committed ones."
}

run_tests() {
    build
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j2 --timeout 300
}

# The tests built with one option (a sanitizer, the 17th product) in a folder of their own
# (benchmarks left out).
tests_with_option() {
    local dir=$1 option=$2
    install_missing
    # Light optimisation and line tables only: the sanitizers' reports keep file and line,
    # and the build takes a fraction of the time of a full debug build.
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g1" \
        "-D$option=ON" -DKORVANE_BENCH=OFF >/dev/null
    cmake --build "$dir" -j2
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j2 --timeout 600
}

# Every fuzz target, each from its seeds (tests/fuzz/corpus/<name>, the GIF walker from the
# pictures) into a scratch corpus, for the seconds given; a finding fails the run.
run_fuzzers() {
    local seconds=${1:-15}
    PACKAGES+=(clang libclang-rt-14-dev)
    install_missing
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKORVANE_FUZZ=ON -DKORVANE_BENCH=OFF >/dev/null
    local targets=(gif_walker_fuzz frame_parsers_fuzz board_parsers_fuzz mjpeg_parts_fuzz
                   jpeg_check_fuzz recorder_rows_fuzz)
    cmake --build build-fuzz -j2 --target "${targets[@]}"
    local scratch
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' RETURN
    for target in "${targets[@]}"; do
        local name=${target%_fuzz} seeds=()
        [ -d "tests/fuzz/corpus/$name" ] && seeds+=("tests/fuzz/corpus/$name")
        [ "$name" = gif_walker ] && seeds+=(resources/pictures)
        mkdir -p "$scratch/$name"
        echo "Fuzzing $name for $seconds s"
        local rc=0
        (cd "$scratch" && "$OLDPWD/build-fuzz/tests/$target" -max_total_time="$seconds" -timeout=5 \
            -rss_limit_mb=2048 "$scratch/$name" "${seeds[@]/#/$OLDPWD/}") >"$scratch/$name.log" 2>&1 ||
            rc=$?
        grep -E '^Done' "$scratch/$name.log" || true
        if [ "$rc" -ne 0 ]; then
            tail -n 60 "$scratch/$name.log" >&2
            echo "The fuzzer $name found a fault (its input is in the log above)." >&2
            return 1
        fi
    done
}

package() {
    PACKAGES+=(dpkg-dev fakeroot)
    build
    (cd "$BUILD_DIR" && cpack -B package >/dev/null)
    ls "$BUILD_DIR"/package/korvane_*.deb
}

# The package as a user gets it: lintian finds no error, apt-get installs it with what it
# depends on, and the installed station talks to the installed simulator without a display.
package_check() {
    PACKAGES+=(lintian)
    package
    local deb
    deb=$(ls "$PWD/$BUILD_DIR"/package/korvane_*.deb | head -n 1)
    lintian --fail-on error "$deb"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "$deb" >/dev/null
    local work
    work=$(mktemp -d)
    trap '"${sudo[@]}" apt-get remove -y -q korvane >/dev/null || true; rm -rf "$work"' RETURN
    /usr/bin/korvane --version
    man -w korvane >/dev/null
    /usr/bin/korvane-sim --product 5 --link "$work/car" --quiet >"$work/sim.log" 2>&1 &
    local sim=$!
    for _ in $(seq 50); do [ -e "$work/car" ] && break; sleep 0.1; done
    QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" /usr/bin/korvane --product 5 \
        --port "$work/car" --baud 115200 --demo --trace --quit-after 3000 >"$work/station.log" 2>&1 ||
        { cat "$work/station.log"; kill "$sim"; return 1; }
    kill "$sim" 2>/dev/null || true
    if ! grep -q '^TX \$' "$work/station.log" || ! grep -q '^RX \$' "$work/station.log"; then
        echo "The installed station exchanged no frames with the installed simulator:" >&2
        cat "$work/station.log" >&2
        return 1
    fi
    echo "The installed package works: $(grep -c '^TX ' "$work/station.log") frames sent," \
         "$(grep -c '^RX ' "$work/station.log") received."
}

case "${1:-demo}" in
demo) demo "${2:-5}" ;;
test) run_tests ;;
build) build ;;
check-forms) check_forms ;;
translations)
    build
    python3 scripts/translations.py update /usr/lib/qt6/bin/lupdate "$BUILD_DIR/translated-sources.lst" \
        resources/translations/korvane_en.ts resources/translations/korvane_zh_CN.ts
    python3 scripts/translations.py check /usr/lib/qt6/bin/lupdate "$BUILD_DIR/translated-sources.lst" \
        resources/translations/korvane_en.ts resources/translations/korvane_zh_CN.ts || true
    ;;
fuzz) run_fuzzers "${2:-15}" ;;
package) package ;;
package-check) package_check ;;
sanitize)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    tests_with_option build-asan KORVANE_ASAN
    ;;
extra-product)
    # A 17th product by one row of the table: every test runs again with it.
    tests_with_option build-extra KORVANE_EXTRA_TEST_PRODUCT
    ;;
tsan)
    # A garbage camera body can make the (uninstrumented) JPEG library ask for an absurd buffer:
    # a failed allocation is an error the decoder handles, not a reason for TSan to abort.
    export TSAN_OPTIONS="die_after_fork=0:ignore_noninstrumented_modules=1:allocator_may_return_null=1:suppressions=$PWD/tests/tsan.supp"
    tests_with_option build-tsan KORVANE_TSAN
    ;;
*)
    echo "usage: $0 [demo [PRODUCT]|test|build|check-forms|translations|sanitize|tsan|extra-product|fuzz [SECONDS]|package|package-check]" >&2
    exit 2
    ;;
esac
