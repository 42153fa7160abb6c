#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts the desktop program on a bundled
# sample, talking to a simulated ECU.
#
#   scripts/demo.sh          the injection sample (sample.rcz)
#   scripts/demo.sh boost    the boost controller sample (boost.rcz)
#
# A demo QMX home is written to a temporary folder: registry.reg (its Install Directory names
# the folder of qmx.INI; MachineFolder QX400T, so that both samples open; no automatic port
# search), qmx.INI (COM1, no XON/XOFF, short time-outs, the Open dialog starting at a copy of the
# samples) and ports/COM1, the link that ecusim serves with the chosen sample's memory and
# machine code. qmx starts with that sample open; ecusim stops when qmx ends.
set -euo pipefail
case "${1:-sample}" in
sample) sample=sample machine_code=Q4 ;;
boost) sample=boost machine_code=QT ;;
*) echo "usage: $0 [sample|boost]" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"

home=$(mktemp -d)
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT

mkdir -p "$home/ports" "$home/settings" "$home/configs"
cp "$root/samples/sample.rcz" "$root/samples/boost.rcz" "$home/configs/"
cat > "$home/registry.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]
"Install Directory"="$home/settings"
"MachineFolder"="QX400T"
"Rs232cPortAutoSelect"=dword:00000000
"CommoLog"="$home/log/commo.log"
REG
sed -e 's/^XFLLOW=.*/XFLLOW=NO/' -e 's/^PORT=.*/PORT=PORT1/' -e 's/^TIMEOUT=.*/TIMEOUT=20/' \
    -e 's/^WAITTIME=.*/WAITTIME=10/' -e 's/^RETRY=.*/RETRY=2/' -e 's/^ECRETRY=.*/ECRETRY=1/' \
    -e "s|^PATH1=.*|PATH1=$home/configs|" "$root/samples/qmx.INI" > "$home/settings/qmx.INI"

config="$home/configs/$sample.rcz"
# Live values for the Monitor window: every item of the sample but Battery (0x13) answers.
"$build/sim/ecusim" --image "$config" --machine-code "$machine_code" --link "$home/ports/COM1" \
    --monitor 10:2:800:25:100 --monitor 11:1:122 --monitor 12:1:37 --monitor 14:2:312:3:300 \
    --no-stdin &
sim_pid=$!
for _ in $(seq 50); do
    [ -e "$home/ports/COM1" ] && break
    sleep 0.1
done
[ -e "$home/ports/COM1" ] || { echo "ecusim did not start" >&2; exit 1; }

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "Showing $sample.rcz; Tool > Read from ECU and Write to ECU talk to ecusim."
    echo "The other sample opens with File > Open; for its ECU run: $0 $([ "$sample" = boost ] && echo sample || echo boost)"
    QMX_HOME="$home" "$build/src/ui/qmx" "$config"
    exit 0
fi

# No display: the same work without windows, through qmxctl.
echo "No display found: showing $sample.rcz through qmxctl instead of the desktop program."
qmxctl=("$build/src/cli/qmxctl" --home "$home")
"${qmxctl[@]}" info "$config"
echo
echo "Read from the simulated ECU:"
"${qmxctl[@]}" read "$config" --save
echo
echo "Write to the simulated ECU:"
"${qmxctl[@]}" write "$config"
echo
echo "Batch export of $sample.rcz:"
"${qmxctl[@]}" export "$config" -
