#!/usr/bin/env python3
"""A local web server for the update check's end-to-end run.

  appinfo-server.py FOLDER
      Serves /appinfo.xml on 127.0.0.1 at a free port, which it writes to FOLDER/port.
      What it answers is chosen by FOLDER/mode at each request: "latest" lists the
      running version 0.1.0, "newer" lists only 9.9.9, "slow" waits eight seconds and
      then answers as "latest", "big" answers "latest" padded past one megabyte. Every request is counted in FOLDER/requests.
"""

import http.server
import os
import sys
import time

FOLDER = sys.argv[1]


def document(versions):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        "<AppInfo>\n"
        '  <AppLangToWebLang DefaultWebLang="en"><Pair AppLang="ENU" WebLang="en"/></AppLangToWebLang>\n'
        "  <Applications>\n"
        '    <Quillora ActualVersions="%s" DownloadPage="https://example.invalid/%%lang%%/download"\n'
        '      OnlineHelpPage="https://example.invalid/%%lang%%/help"/>\n'
        "  </Applications>\n"
        "</AppInfo>\n" % versions
    ).encode("utf-8")


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(os.path.join(FOLDER, "requests"), "a") as log:
            log.write(self.path + "\n")
        try:
            with open(os.path.join(FOLDER, "mode")) as f:
                mode = f.read().strip()
        except OSError:
            mode = "latest"
        if mode == "slow":
            time.sleep(8)
        body = document("9.9.9" if mode == "newer" else "0.0.9, 0.1.0 ,1.0")
        if mode == "big":
            body += b" " * (1536 * 1024)
        self.send_response(200)
        self.send_header("Content-Type", "text/xml; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(os.path.join(FOLDER, "port.tmp"), "w") as f:
    f.write(str(server.server_address[1]))
os.replace(os.path.join(FOLDER, "port.tmp"), os.path.join(FOLDER, "port"))
server.serve_forever()
