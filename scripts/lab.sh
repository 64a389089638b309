#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The lab: virtual hosts in network namespaces, joined by one bridge that lives in a namespace
# of its own, so that nothing a test sends (broadcasts, ARP, address changes) reaches the
# machine's own network.
#
#   lab.sh create ID                      switch namespace with a bridge
#   lab.sh add-host ID NAME [ADDR/LEN...] namespace o2-ID-NAME, eth0 on the bridge
#   lab.sh addr ID NAME ADDR/LEN [ARGS]   another address (ARGS go to `ip addr add`)
#   lab.sh add-behind ID NAME ROUTER ROUTER_ADDR/LEN ADDR/LEN
#                                         a host off the bridge, joined only to ROUTER, which
#                                         forwards; its default route goes through ROUTER
#   lab.sh resolv ID NAME SERVER...       the host's /etc/resolv.conf
#   lab.sh exec ID NAME CMD...            run CMD inside the host
#   lab.sh destroy ID                     stop what runs inside, remove everything
#   lab.sh sweep                          destroy labs whose creating process is gone
#   lab.sh demo [N]                       N simulated cameras, listed by orvanta2-cli discover
#
# ID starts with the creating process's pid (e.g. 4242 or 4242x3); sweep relies on it.
set -euo pipefail

prefix=o2
ns() { echo "$prefix-$1-$2"; }

need_root() {
    if [ "$(id -u)" != 0 ]; then
        echo "lab.sh: building a lab needs root" >&2
        exit 77
    fi
}

quiet_ns_setup() {  # no IPv6 chatter, loopback up
    ip netns exec "$1" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1 >/dev/null 2>&1 || true
    ip -n "$1" link set lo up
}

cmd_create() {
    local id=$1 sw
    sw=$(ns "$id" sw)
    ip netns add "$sw"
    quiet_ns_setup "$sw"
    ip -n "$sw" link add br0 type bridge
    ip -n "$sw" link set br0 up
}

cmd_add_host() {
    local id=$1 name=$2
    shift 2
    local host sw
    host=$(ns "$id" "$name")
    sw=$(ns "$id" sw)
    ip netns add "$host"
    quiet_ns_setup "$host"
    ip link add eth0 netns "$host" type veth peer name "v-$name" netns "$sw"
    ip -n "$sw" link set "v-$name" master br0 up
    ip -n "$host" link set eth0 up
    local a
    for a in "$@"; do ip -n "$host" addr add "$a" dev eth0; done
}

cmd_addr() {
    local id=$1 name=$2 address=$3
    shift 3
    ip -n "$(ns "$id" "$name")" addr add "$address" dev eth0 "$@"
}

cmd_add_behind() {
    local id=$1 name=$2 router=$3 router_cidr=$4 cidr=$5
    local host r
    host=$(ns "$id" "$name")
    r=$(ns "$id" "$router")
    ip netns add "$host"
    quiet_ns_setup "$host"
    ip link add eth0 netns "$host" type veth peer name "b-$name" netns "$r"
    ip -n "$r" addr add "$router_cidr" dev "b-$name"
    ip -n "$r" link set "b-$name" up
    ip netns exec "$r" sysctl -qw net.ipv4.ip_forward=1
    ip -n "$host" addr add "$cidr" dev eth0
    ip -n "$host" link set eth0 up
    ip -n "$host" route add default via "${router_cidr%/*}"
}

cmd_resolv() {
    local id=$1 name=$2
    shift 2
    local dir
    dir=/etc/netns/$(ns "$id" "$name")
    mkdir -p "$dir"
    : >"$dir/resolv.conf"
    local s
    for s in "$@"; do echo "nameserver $s" >>"$dir/resolv.conf"; done
}

cmd_exec() {
    local id=$1 name=$2
    shift 2
    exec ip netns exec "$(ns "$id" "$name")" "$@"
}

cmd_destroy() {
    local id=$1 n pids
    for n in $(ip netns list | awk '{print $1}' | grep -E "^$prefix-$id-" || true); do
        pids=$(ip netns pids "$n" 2>/dev/null || true)
        if [ -n "$pids" ]; then
            kill $pids 2>/dev/null || true
            sleep 0.2
            kill -9 $(ip netns pids "$n" 2>/dev/null) 2>/dev/null || true
        fi
        ip netns del "$n" 2>/dev/null || true
        rm -rf "/etc/netns/$n"
    done
}

cmd_sweep() {
    local id pid
    for id in $(ip netns list | awk '{print $1}' | sed -nE "s/^$prefix-([0-9]+[0-9x]*)-.*/\1/p" | sort -u); do
        pid=${id%%x*}
        if ! kill -0 "$pid" 2>/dev/null; then cmd_destroy "$id"; fi
    done
}

cmd_demo() {
    local count=${1:-3} here bin id
    here=$(cd "$(dirname "$0")/.." && pwd)
    bin=${ORVANTA_BIN:-$here/build/release/bin}
    id="$$"
    demo_id=$id
    trap 'cmd_destroy "$demo_id"' EXIT
    cmd_create "$id"
    cmd_add_host "$id" pc 192.168.0.10/24
    cmd_add_host "$id" cams
    local i
    for i in $(seq 1 "$count"); do cmd_addr "$id" cams "192.168.0.$((100 + i - 1))/24"; done
    local ready
    ready=$(mktemp -u /tmp/o2-demo-XXXXXX)
    ip netns exec "$(ns "$id" cams)" "$bin/orvanta2-camsim" --generate "$count" \
        --first-ip 192.168.0.100 --exit-with-parent --ready-file "$ready" &
    for i in $(seq 1 100); do [ -e "$ready" ] && break; sleep 0.05; done
    [ -e "$ready" ] || { echo "lab.sh: the simulated cameras did not start" >&2; exit 1; }
    rm -f "$ready"
    echo "Lab $id: PC 192.168.0.10, $count simulated camera(s) from 192.168.0.100"
    ip netns exec "$(ns "$id" pc)" "$bin/orvanta2-cli" discover --seconds 2
}

need_root
verb=${1:-}
shift || true
case "$verb" in
create) cmd_create "$@" ;;
add-host) cmd_add_host "$@" ;;
addr) cmd_addr "$@" ;;
add-behind) cmd_add_behind "$@" ;;
resolv) cmd_resolv "$@" ;;
exec) cmd_exec "$@" ;;
destroy) cmd_destroy "$@" ;;
sweep) cmd_sweep ;;
demo) cmd_demo "$@" ;;
*)
    sed -n '2,18p' "$0" >&2
    exit 2
    ;;
esac
