#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The simulator's discovery reply, checked byte for byte against the wire table by a client
that shares no code with it: a plain socket in the lab's PC namespace."""
import argparse
import os
import socket
import struct
import subprocess
import sys
import tempfile
import time

CAMERAS = [
    dict(mac=bytes.fromhex("00e0f1020304"), ip="192.168.0.98", http=80, stream=554,
         desc="Hall camera", serial="SN-0001", iface="eth0", magic=0x00F6D9A4),
    dict(mac=bytes.fromhex("00e0f1020305"), ip="192.168.0.99", http=8080, stream=9000,
         desc="Yard", serial="SN-0002", iface="wireless", magic=0x01156A06),
]


def expected_reply(cam):
    texts = (cam["desc"] + "\0" + cam["serial"] + "\0" + cam["iface"] + "\0").encode()
    area = texts.ljust(256, b"\0")
    return (struct.pack(">II", cam["magic"], 2) + cam["mac"] + b"\0\0" +
            socket.inet_aton(cam["ip"]) + struct.pack(">I", cam["http"]) + area +
            struct.pack(">I", cam["stream"]))


def client():
    listen = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    listen.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listen.bind(("0.0.0.0", 49160))
    send = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    send.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    send.bind(("192.168.0.10", 0))
    send.sendto(bytes.fromhex("00f6d9a400000001"), ("255.255.255.255", 49160))
    wanted = {expected_reply(c) for c in CAMERAS}
    got = set()
    listen.settimeout(0.2)
    deadline = time.time() + 3
    while time.time() < deadline and got != wanted:
        try:
            data = listen.recv(1024)
        except socket.timeout:
            continue
        if data[4:8] == b"\0\0\0\1":
            continue  # our own request, looped back
        got.add(data)
    if got != wanted:
        for d in got - wanted:
            print("unexpected reply:", d.hex())
        for d in wanted - got:
            print("missing reply:", d.hex())
        return 1
    print("both replies match the wire table byte for byte")
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--camsim")
    parser.add_argument("--lab")
    parser.add_argument("--client", action="store_true")
    args = parser.parse_args()
    if args.client:
        return client()
    if os.geteuid() != 0:
        if os.environ.get("CI") == "true":
            print("lab needs root in CI")
            return 1
        print("skipped: lab tests need root")
        return 0
    lab_id = f"{os.getpid()}x0"
    lab = ["bash", args.lab]
    camsim = None
    try:
        subprocess.run(lab + ["sweep"], check=True)
        subprocess.run(lab + ["create", lab_id], check=True)
        subprocess.run(lab + ["add-host", lab_id, "pc", "192.168.0.10/24"], check=True)
        subprocess.run(lab + ["add-host", lab_id, "cams", "192.168.0.98/24", "192.168.0.99/24"],
                       check=True)
        with tempfile.TemporaryDirectory() as tmp:
            config = os.path.join(tmp, "cams.conf")
            ready = os.path.join(tmp, "ready")
            with open(config, "w") as f:
                for c in CAMERAS:
                    f.write(f"[camera]\nmac = {c['mac'].hex(':')}\nip = {c['ip']}\n"
                            f"http_port = {c['http']}\nstream_port = {c['stream']}\n"
                            f"description = {c['desc']}\nserial = {c['serial']}\n"
                            f"interface = {c['iface']}\nmagic = {c['magic']}\n")
            camsim = subprocess.Popen(["ip", "netns", "exec", f"o2-{lab_id}-cams", args.camsim,
                                       "--config", config, "--ready-file", ready,
                                       "--exit-with-parent"])
            for _ in range(500):
                if os.path.exists(ready) or camsim.poll() is not None:
                    break
                time.sleep(0.01)
            return subprocess.run(["ip", "netns", "exec", f"o2-{lab_id}-pc", sys.executable,
                                   __file__, "--client"]).returncode
    finally:
        if camsim:
            camsim.terminate()
            camsim.wait(timeout=5)
        subprocess.run(lab + ["destroy", lab_id])


if __name__ == "__main__":
    sys.exit(main())
