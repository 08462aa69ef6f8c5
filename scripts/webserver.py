#!/usr/bin/env python3
"""The vendor's web host as the program meets it on loopback: the files of docs/ (pictures under
files/, the probe page) and the lot-information page, made from the fields the program posts."""
import argparse
import html
import http.server
import urllib.parse
from functools import partial

LABELS = [("addr1", "시도"), ("addr2", "군구"), ("addr3", "읍면동"), ("addr4", "지번"), ("tb", "종목"), ("cboname", "건물명")]


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_POST(self):
        if urllib.parse.urlparse(self.path).path != "/vb/jibuninfo.php":
            self.send_error(404)
            return
        length = int(self.headers.get("Content-Length") or 0)
        fields = urllib.parse.parse_qs(self.rfile.read(length).decode("utf-8", "replace"))
        rows = "".join(
            "<tr><th>%s</th><td>%s</td></tr>" % (label, html.escape(fields.get(key, [""])[0]))
            for key, label in LABELS)
        page = ("<html><head><meta charset='utf-8'></head><body><h3>지번 정보</h3><table>%s</table>"
                "</body></html>" % rows).encode("utf-8")
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(page)))
        self.end_headers()
        self.wfile.write(page)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--directory", required=True)
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), partial(Handler, directory=args.directory))
    server.serve_forever()


if __name__ == "__main__":
    main()
