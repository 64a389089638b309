#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A camera's CGI written on Python's stock http.server, as a peer that shares nothing with
the simulator: different header set, CR LF report lines, its own table layout.

usage: plain_http_camera.py CONFIG.json
CONFIG: {"values": {wire key: text}, "caps": {...}, "security": bool, "user": ..,
         "password": .., "aps": [[channel, mac, ssid, quality, mode, security, algorithm]],
         "record": FILE}
Writes (Act=2) change the values later reads report. With "record", every request is
appended to FILE as "REQUEST <length>\n<bytes>\n", byte for byte as it arrived.
Prints "PORT PID" once it listens on 127.0.0.1; ends after 120 s at the latest.
"""
import base64
import http.server
import json
import os
import socket
import sys
import threading
import urllib.parse

PAGES = {
    "1": ["TitleBar", "Desp", "SECUEN", "ModelName"],
    "3": ["IPType", "IPAddr", "Netmask", "Gateway", "DNS1", "DNS2", "WIPType", "WIPAddr",
          "WNetmask", "WGateway", "WDNS1", "WDNS2", "Wireless", "WireType", "WireSec", "SSID",
          "WireCh", "ChType", "TxRate", "WEPAuthM", "WepKeyL", "WEPMode", "WEPKey0", "WEPKey1",
          "WEPKey2", "WEPKey3", "WEPKeyE0", "WPAKey", "WPAEnc", "WPAPSKeyM", "UPnPE",
          "HttpPort", "SPort", "RTSPPort"],
    "13": ["DDNSSrv", "DDNS", "DDNSUser", "DDNSPwd", "DDNSHost"],
    "23": ["Version"],
    "34": ["NATStat", "ExtIPAddr", "ExtHttpPort"],
}
TIME = ["NTPEN", "NTPName", "NTPPoll", "Timezone", "Date", "Time"]
CAPS = ["Wireless", "WPS", "Transversal"]

with open(sys.argv[1]) as f:
    CONFIG = json.load(f)


WRITABLE = {
    "1": {"TitleBar", "Desp"},
    "13": set(PAGES["13"]),
    "3": set(PAGES["3"]) | {"PAccount", "PPwd", "PVP"},
}


class Camera(http.server.BaseHTTPRequestHandler):
    rbufsize = 0  # unbuffered, so that what the parser leaves unread stays in the socket

    def log_message(self, *args):
        pass

    def setup(self):
        super().setup()
        self.raw = bytearray()
        handler, rfile = self, self.rfile

        class Tee:
            def readline(self, *args):
                line = rfile.readline(*args)
                handler.raw += line
                return line

            def __getattr__(self, name):
                return getattr(rfile, name)

        self.rfile = Tee()

    def handle_one_request(self):
        super().handle_one_request()
        if not CONFIG.get("record") or not self.raw:
            return
        self.connection.settimeout(0.2)
        try:
            while True:  # whatever followed the blank line that ends the header block
                more = self.connection.recv(4096)
                if not more:
                    break
                self.raw += more
        except (socket.timeout, OSError):
            pass
        with open(CONFIG["record"], "ab") as f:
            f.write(b"REQUEST %d\n" % len(self.raw) + bytes(self.raw) + b"\n")
        self.close_connection = True

    def reply(self, code, body):
        data = body.encode("latin-1")
        self.send_response(code)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def report(self, keys, values):
        return "".join("%s=%s\r\n" % (k, values.get(k, "")) for k in keys)

    def do_GET(self):
        if CONFIG.get("security"):
            want = "%s:%s" % (CONFIG.get("user", ""), CONFIG.get("password", ""))
            got = self.headers.get("Authorization", "")
            ok = got.startswith("Basic ") and base64.b64decode(got[6:]).decode("latin-1") == want
            if not ok:
                self.reply(401, "<html><body>401 Unauthorized</body></html>\r\n")
                return
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query, keep_blank_values=True))
        values = dict(CONFIG["values"])
        values["SECUEN"] = "1" if CONFIG.get("security") else "0"
        act, page = query.get("Act"), query.get("Page")
        if url.path == "/goform/Parameters" and act == "2" and page in WRITABLE:
            CONFIG["values"].update({k: v for k, v in query.items() if k in WRITABLE[page]})
            self.reply(200, "OK\r\n")
        elif url.path == "/cgi-bin/set_time.cgi" and act == "2":
            CONFIG["values"].update({k: v for k, v in query.items() if k in TIME})
            self.reply(200, "OK\r\n")
        elif url.path == "/goform/Parameters" and act == "1" and page in PAGES:
            self.reply(200, self.report(PAGES[page], values))
        elif url.path == "/goform/Parameters" and act == "1" and page == "32":
            self.reply(200, self.report(CAPS, CONFIG["caps"]))
        elif url.path == "/cgi-bin/set_time.cgi" and act == "1":
            self.reply(200, self.report(TIME, values))
        elif url.path == "/cgi-bin/ap_scan.cgi":
            aps = CONFIG.get("aps", [])
            rows = ["<table border=1><tr><td>scan AP sum = %d</td></tr>" % len(aps)]
            for n, ap in enumerate(aps, 1):
                rows.append(
                    '<tr><td>AP%d<br>Channel=%s<br>Mac_address=%s<br>SSID="%s"<br>Quality=%s'
                    "<br>Mode=%s<br>Security=%s<br>Algorithm=%s</td></tr>" % ((n,) + tuple(ap)))
            rows.append("</table>")
            self.reply(200, "\r\n".join(rows) + "\r\n")
        else:
            self.send_error(404)


server = http.server.HTTPServer(("127.0.0.1", 0), Camera)
threading.Timer(120, lambda: os._exit(0)).start()
print(server.server_address[1], os.getpid(), flush=True)
server.serve_forever()
