#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""orvanta2-cli save against a camera on Python's stock HTTP server: the four writes must
arrive byte for byte as the request formats give them. The expected bytes are written out
here from those formats, not taken from the client."""
import argparse
import json
import os
import subprocess
import sys
import tempfile

UA = " HTTP/1.0\nUser-Agent: tavrin-1.0.1\n"

VALUES = {
    "TitleBar": "Cam", "Desp": "Hall", "ModelName": "Tornel-52", "Version": "1.2.3.4",
    "IPType": "1", "IPAddr": "127.0.0.1", "Netmask": "255.0.0.0", "Gateway": "127.0.0.254",
    "DNS1": "127.0.0.254", "DNS2": "", "WIPType": "0", "WIPAddr": "", "WNetmask": "",
    "WGateway": "", "WDNS1": "", "WDNS2": "", "Wireless": "1", "WireType": "0", "WireSec": "2",
    "SSID": "old", "WireCh": "11", "ChType": "0", "TxRate": "Auto", "WEPAuthM": "0",
    "WepKeyL": "0", "WEPMode": "0", "WEPKey0": "", "WEPKey1": "", "WEPKey2": "", "WEPKey3": "",
    "WEPKeyE0": "1", "WPAKey": "k3y", "WPAEnc": "1", "WPAPSKeyM": "0", "UPnPE": "1",
    "HttpPort": "80", "SPort": "554", "RTSPPort": "554", "DDNSSrv": "", "DDNS": "0",
    "DDNSUser": "", "DDNSPwd": "", "DDNSHost": "", "NTPEN": "0", "NTPName": "pool.ntp.org",
    "NTPPoll": "24", "Timezone": "8", "Date": "2026/12/08", "Time": "08:00:00",
}


def expected_writes():
    v = dict(VALUES)
    v.update({"TitleBar": "Lobby cam two", "DDNS": "1", "DDNSUser": "john", "SSID": "home net",
              "WPAKey": "s3cret-phrase"})
    sp = lambda k: v[k].replace(" ", "%20")
    system = "&TitleBar=%s&Desp=%s" % (sp("TitleBar"), sp("Desp"))
    ddns = "&DDNSSrv=%s&DDNS=%s&DDNSUser=%s&DDNSPwd=%s&DDNSHost=%s" % tuple(
        v[k] for k in ["DDNSSrv", "DDNS", "DDNSUser", "DDNSPwd", "DDNSHost"])
    time = "&NTPEN=%s&NTPName=%s&NTPPoll=%s&Timezone=%s&Date=%s&Time=%s" % tuple(
        v[k] for k in ["NTPEN", "NTPName", "NTPPoll", "Timezone", "Date", "Time"])
    keys = ["IPType", "IPAddr", "Netmask", "Gateway", "DNS1", "DNS2", "WIPType", "WIPAddr",
            "WNetmask", "WGateway", "WDNS1", "WDNS2", "WireType", "WireSec", "SSID", "WireCh",
            "WEPAuthM", "WEPMode", "WEPKey0", "WEPKey1", "WEPKey2", "WEPKey3", "WEPKeyE0",
            "WPAKey", "WPAEnc", "WPAPSKeyM", "TxRate", "WepKeyL", "UPnPE", "PAccount", "PPwd",
            "PVP", "HttpPort", "SPort", "RTSPPort"]
    network = "".join("&%s=%s" % (k, sp(k) if k == "SSID" else v.get(k, "")) for k in keys)
    end = UA + "\n\n"
    return [
        "GET /goform/Parameters?Act=2&Page=1" + system + end,
        "GET /goform/Parameters?Act=2&Page=13" + ddns + end,
        "GET /cgi-bin/set_time.cgi?Act=2" + time + end,
        "GET /goform/Parameters?Act=2&Page=3" + network + end,
    ]


def recorded(path):
    data, out = open(path, "rb").read(), []
    while data:
        header, _, rest = data.partition(b"\n")
        length = int(header.split()[1])
        out.append(rest[:length].decode("latin-1"))
        data = rest[length + 1:]
    return out


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--camera", required=True)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        record = os.path.join(tmp, "requests")
        config = os.path.join(tmp, "camera.json")
        with open(config, "w") as f:
            json.dump({"values": VALUES, "caps": {}, "record": record}, f)
        camera = subprocess.Popen([sys.executable, args.camera, config], stdout=subprocess.PIPE,
                                  text=True)
        try:
            port = camera.stdout.readline().split()[0]
            run = subprocess.run(
                [args.cli, "save", "127.0.0.1:" + port, "TitleBar=Lobby cam two", "DDNS=1",
                 "DDNSUser=john", "SSID=home net", "WPAKey=s3cret-phrase"],
                capture_output=True, text=True, timeout=60)
            print(run.stdout + run.stderr)
            if run.returncode != 0:
                print("save failed with exit code", run.returncode)
                return 1
            writes = [r for r in recorded(record) if "Act=2" in r.split("\n")[0]]
            want = expected_writes()
            if writes != want:
                for got, exp in zip(writes + [""] * 4, want):
                    if got != exp:
                        print("expected %r\n     got %r" % (exp, got))
                return 1

            # A value that would break the query is refused before anything is sent.
            before = len(recorded(record))
            run = subprocess.run([args.cli, "save", "127.0.0.1:" + port, "Desp=a&b"],
                                 capture_output=True, text=True, timeout=60)
            if run.returncode != 2 or len(recorded(record)) != before:
                print("an unsafe value was not refused up front:", run.returncode, run.stderr)
                return 1
        finally:
            camera.terminate()
            camera.wait(timeout=10)
    print("the save sent exactly the expected bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
