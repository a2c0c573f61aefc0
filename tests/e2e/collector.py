#!/usr/bin/env python3
"""A statistics collector for the end-to-end checks: listens on 127.0.0.1 on a
free port (written to PORT_FILE), appends the body of every POST as one line
to BODIES_FILE and answers 204, or, with --hang, records the body and never
answers, as a server that accepted the connection and then stalled."""
import argparse
import http.server
import threading
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("port_file")
    parser.add_argument("bodies_file")
    parser.add_argument("--hang", action="store_true")
    args = parser.parse_args()
    lock = threading.Lock()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            length = int(self.headers.get("Content-Length", "0"))
            body = self.rfile.read(length).decode("ascii", "replace")
            with lock, open(args.bodies_file, "a") as bodies:
                bodies.write(f"{self.path} {self.headers.get('Content-Type', '')} {body}\n")
            if args.hang:
                time.sleep(3600)
                return
            self.send_response(204)
            self.end_headers()

        def log_message(self, *_):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(args.port_file, "w") as port_file:
        port_file.write(str(server.server_address[1]))
    server.serve_forever()


if __name__ == "__main__":
    main()
