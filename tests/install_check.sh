#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop system
# finds there: the three programs answer --version (the build's one version)
# and --help; the command-line tool writes a record through its module;
# the window finds its translation (and Qt's, when the system has it) and
# connects to a port given on its command line; the desktop entry, MIME type,
# device rule, man pages and the package's documents lie where the system
# looks and pass its checks; the package's scripts trigger only the unit's
# adapter.
#   install_check.sh BUILD_DIR QMAKE LRELEASE    (those of the Qt built with)
set -euo pipefail
build=$1
qmake=$2
lrelease=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
# shellcheck source=tests/simulator.sh
. "$(dirname "$0")/simulator.sh"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# Started from elsewhere, so that nothing is found in the build folder or the
# current folder by chance.
cd "$prefix"
export QT_QPA_PLATFORM=offscreen
unset LANGUAGE LC_ALL LC_MESSAGES
version=$(cat "$build/generated/version.txt")
for program in vandrel vandrel-cli vandrel-unitsim; do
    out=$(LANG=C.UTF-8 "$prefix/bin/$program" --version) || fail "$program --version failed"
    [ "$out" = "$program $version" ] || fail "$program --version printed \"$out\""
    LANG=C.UTF-8 "$prefix/bin/$program" --help | grep -q -- --help ||
        fail "$program --help does not list --help"
done

# The program's translation from the installed data folder, and Qt's own
# (an unknown option is Qt's text) when the system has it; a wrong command
# line is answered without a display.
LANG=de_DE.UTF-8 "$prefix/bin/vandrel" --help | grep -q "Aufruf:" ||
    fail "vandrel --help is not German under LANG=de_DE.UTF-8"
status=0
err=$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY LANG=de_DE.UTF-8 \
    "$prefix/bin/vandrel" --frobnicate 2>&1 >/dev/null) || status=$?
[ $status -eq 2 ] || fail "vandrel --frobnicate ended with $status"
qt_translations=$("$qmake" -query QT_INSTALL_TRANSLATIONS)
if [ -f "$qt_translations/qtbase_de.qm" ]; then
    grep -q "Unbekannte Option" <<<"$err" || fail "Qt's German texts not loaded: $err"
fi

# A translation in the current folder comes before the installed one.
mkdir "$prefix/here"
cat >"$prefix/here/vandrel_de.ts" <<'TS'
<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context><name>WindowCommandLine</name><message>
<source>Only one configuration file can be opened; %1 were given.</source>
<translation>from the current folder: %1</translation>
</message></context>
</TS>
TS
"$lrelease" -silent "$prefix/here/vandrel_de.ts"
mine=$(cd "$prefix/here" && LANG=de_DE.UTF-8 "$prefix/bin/vandrel" a.pad b.pad 2>&1) || true
grep -q "from the current folder: 2" <<<"$mine" || fail "current folder not searched first: $mine"

# The installed window connects to the port given on its command line: the
# installed simulator hears from it.
export XDG_CONFIG_HOME=$prefix/config
# What it records goes into a register of the test's own, not the user's.
export XDG_DATA_HOME=$prefix/data
start_sim "$prefix/bin/vandrel-unitsim" "$prefix/sim.out" "$prefix/sim.log" --fast --quiet --verbose ||
    fail "no unit for the window"
sim=$sim_pid
LANG=C.UTF-8 "$prefix/bin/vandrel" --port "$port" >/dev/null 2>&1 &
window=$!
for _ in $(seq 1 200); do
    grep -q '^<< ' "$prefix/sim.log" && break
    sleep 0.1
done
grep -q '^<< ' "$prefix/sim.log" || fail "the window did not talk to --port $port"
kill $window $sim
wait $window $sim 2>/dev/null || true

# The command-line tool writes a record through the module it loads for that
# (a unit of its own: the window's line may still be marked as held).
start_sim "$prefix/bin/vandrel-unitsim" "$prefix/sim2.out" "$prefix/sim2.log" --fast --quiet ||
    fail "no unit for the record"
sim=$sim_pid
LANG=C.UTF-8 "$prefix/bin/vandrel-cli" record --port "$port" -o "$prefix/unit.pdf" \
    --engineer Check >/dev/null 2>"$prefix/record.err" ||
    fail "vandrel-cli record failed: $(cat "$prefix/record.err")"
[ "$(head -c 5 "$prefix/unit.pdf" 2>/dev/null)" = "%PDF-" ] || fail "the record is not a PDF"
kill $sim
wait $sim 2>/dev/null || true

share=$prefix/share
desktop=$share/applications/vandrel.desktop
[ -f "$desktop" ] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry invalid"
fi
grep -q '^Exec=vandrel %f$' "$desktop" || fail "desktop entry does not pass the file"
for icon in scalable/apps/vandrel.svg 16x16/apps/vandrel.png 48x48/apps/vandrel.png \
    256x256/apps/vandrel.png; do
    [ -s "$share/icons/hicolor/$icon" ] || fail "no icon $icon"
done

# The MIME database built from the installed package file knows .pad.
[ -f "$share/mime/packages/vandrel.xml" ] || fail "no MIME package file"
if command -v update-mime-database >/dev/null; then
    update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database failed"
    grep -q 'application/x-vandrel-pad:\*\.pad' "$share/mime/globs2" ||
        fail "the MIME database does not map *.pad"
fi
grep -q 'application/x-vandrel-pad' "$desktop" || fail "the desktop entry does not take .pad"

rule=$prefix/lib/udev/rules.d/70-vandrel.rules
[ -f "$rule" ] || fail "no udev rule"
for want in 'ATTRS{idVendor}=="27c5"' 'ATTRS{idProduct}=="0502"' 'TAG+="uaccess"' \
    'ENV{ID_MM_DEVICE_IGNORE}="1"'; do
    grep '^SUBSYSTEM=="tty"' "$rule" | grep -qF "$want" || fail "udev rule lacks $want"
done

# Every option a program's --help names is in its man page.
for page in vandrel vandrel-cli vandrel-unitsim; do
    file=$share/man/man1/$page.1.gz
    [ -f "$file" ] || { fail "no man page $page"; continue; }
    if command -v groff >/dev/null; then
        warnings=$(gzip -dc "$file" | groff -man -z -ww 2>&1)
        [ -z "$warnings" ] || fail "man page $page: $warnings"
    fi
    text=$(gzip -dc "$file" | sed 's/\\-/-/g')
    for option in $(LANG=C.UTF-8 "$prefix/bin/$page" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
        grep -qE -- "$option([^a-z-]|$)" <<<"$text" || fail "man page $page lacks $option"
    done
done

doc=$share/doc/vandrel
grep -q '^License: Apache-2.0$' "$doc/copyright" || fail "no Apache-2.0 licence in $doc/copyright"
top=$(gzip -dc "$doc/changelog.gz" | head -n 1)
[ "$top" = "vandrel ($version) unstable; urgency=medium" ] ||
    fail "the changelog's top entry is \"$top\", not $version"
[ -s "$doc/README.md" ] || fail "no README in $doc"
# Every relative link of the installed documents leads to an installed file.
for page in "$doc"/*.md; do
    for target in $(grep -oE '\]\([^)#]+' "$page" | cut -c3- | grep -vE '^[a-z]+:'); do
        [ -e "$doc/$target" ] || fail "$(basename "$page") links $target, which is not installed"
    done
done
metainfo=$share/metainfo/com.orvante.vandrel.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metainfo"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --strict "$metainfo" >/dev/null ||
        fail "$(appstreamcli validate --no-net --strict "$metainfo")"
fi

# The maintainer scripts against a stand-in udevadm that knows one adapter
# of the unit's (found only when asked for its vendor and product together)
# and logs every trigger.
mkdir "$prefix/fakebin"
cat >"$prefix/fakebin/udevadm" <<'FAKE'
#!/bin/sh
echo "$*" >>"$UDEV_LOG"
case "$*" in
*--dry-run*--attr-match=idVendor=27c5*--attr-match=idProduct=0502*) echo /sys/devices/x/usb1/1-2 ;;
esac
FAKE
chmod +x "$prefix/fakebin/udevadm"
for run in postinst:configure:1 postinst:upgrade:0 postrm:remove:1 postrm:purge:0; do
    IFS=: read -r script action expected <<<"$run"
    export UDEV_LOG=$prefix/udev-$script-$action.log
    : >"$UDEV_LOG"
    PATH=$prefix/fakebin:$PATH sh "$build/packaging/debian/$script" "$action" ||
        fail "$script $action failed"
    triggered=$(grep '^trigger' "$UDEV_LOG" | grep -vc -- '--dry-run' || true)
    [ "$triggered" -eq "$expected" ] || fail "$script $action triggered $triggered times"
    if grep '^trigger' "$UDEV_LOG" | grep -v -- '--dry-run' | grep -qv -- '--parent-match=/sys/devices/x/usb1/1-2$'; then
        fail "$script $action triggered more than the adapter: $(cat "$UDEV_LOG")"
    fi
done

[ $failures -eq 0 ] && echo "install layout: all checks passed"
exit $((failures > 0))
