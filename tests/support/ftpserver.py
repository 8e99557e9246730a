#!/usr/bin/python3
"""FTP server for the tests: pyftpdlib on 127.0.0.1 with a free port and a given root.

Prints "PORT <n>" on standard output once it listens, and stops when standard input closes
(the test that started it ended) or after --lifetime seconds. Switches make it misbehave
the ways real servers do: refuse a file at the end of its upload, refuse making a folder,
drop the connection in the middle of a transfer, list hostile names, start the login
elsewhere than "/", or lack the machine listing (MLSD).

Faults a test switches on and off while the server runs are read from the JSON file given
by --faults (read again whenever it changes):
  "truncate":    file names kept at half their length on the server while "226" is replied
  "refuse_size": true to answer SIZE as an unknown command
  "refuse_list": folder names whose listing (LIST, MLSD, NLST) is refused with 550
  "stall":       commands never answered: "SIZE" (every one) or "STOR b.bin" (for that name)
  "drop_after":  drop the connection after this many bytes of a file transfer
  "short_send":  file names whose download sends only the first half, then "226"
Names are taken and listed as raw bytes (surrogate escapes), so names that are not UTF-8
(Latin-1 "caf\xe9") go through unchanged.
"""
import json
import argparse
import logging
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

HOSTILE_NAMES = ["../escape.txt", "sub/inner.txt", "..\\win.txt"]
HOSTILE_DIRS = ["../updir"]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--user", default="tester")
    ap.add_argument("--password", default="secret")
    ap.add_argument("--refuse-upload", action="append", default=[],
                    help="file name whose upload is refused after its last byte")
    ap.add_argument("--refuse-mkdir", action="append", default=[],
                    help="folder name that MKD refuses")
    ap.add_argument("--disconnect-after", type=int, default=0,
                    help="drop the connection after this many bytes of a file transfer")
    ap.add_argument("--hostile", action="store_true", help="list names holding '/', '\\' or '..'")
    ap.add_argument("--login-dir", default="/", help="folder the client starts in")
    ap.add_argument("--no-mlsd", action="store_true", help="answer MLSD as an unknown command")
    ap.add_argument("--faults", default="", help="JSON file of faults, read whenever it changes")
    ap.add_argument("--lifetime", type=float, default=600.0)
    args = ap.parse_args()

    logging.basicConfig(level=logging.CRITICAL)
    refuse_upload = set(args.refuse_upload)
    refuse_mkdir = set(args.refuse_mkdir)
    fault_state = {"mtime": None, "faults": {}}

    def faults():
        if not args.faults:
            return {}
        try:
            st = os.stat(args.faults)
            mtime = (st.st_ino, st.st_mtime_ns, st.st_size)  # each change is a new file
        except OSError:
            return {}
        if mtime != fault_state["mtime"]:
            try:
                with open(args.faults, "r", encoding="utf8") as f:
                    fault_state["faults"] = json.load(f)
            except (OSError, ValueError):
                fault_state["faults"] = {}
            fault_state["mtime"] = mtime
        return fault_state["faults"]

    def drop_after():
        return faults().get("drop_after", 0) or args.disconnect_after

    class FixtureDTP(DTPHandler):
        def _check_cut(self):
            limit = drop_after()
            if (limit and self.cmd in ("STOR", "RETR")
                    and self.get_transmitted_bytes() >= limit):
                # Drop both connections without a final reply.
                self._resp = None
                self.cmd_channel.close()
                return True
            return False

        def handle_read(self):
            DTPHandler.handle_read(self)
            self._check_cut()

        handle_read_event = handle_read

        def handle_write(self):
            DTPHandler.handle_write(self)
            self._check_cut()

        def handle_close(self):
            if (not self._closed and self.receive and self.file_obj is not None
                    and os.path.basename(self.file_obj.name) in refuse_upload):
                self.transfer_finished = False
                # Gone before the refusal is sent, as a server that rejects the file would.
                try:
                    os.remove(self.file_obj.name)
                except OSError:
                    pass
                self._resp = ("550 File refused by the server.", logging.info)
                self.close()
                return
            DTPHandler.handle_close(self)

    class FixtureFS(AbstractedFS):
        def format_list(self, basedir, listing, ignore_err=True):
            for line in AbstractedFS.format_list(self, basedir, listing, ignore_err):
                yield line
            if args.hostile:
                for name in HOSTILE_NAMES:
                    yield ("-rw-r--r--   1 owner    group           5 Jan 01  2020 %s\r\n" % name).encode("utf8")
                for name in HOSTILE_DIRS:
                    yield ("drwxr-xr-x   2 owner    group        4096 Jan 01  2020 %s\r\n" % name).encode("utf8")

        def format_mlsx(self, basedir, listing, perms, facts, ignore_err=True):
            for line in AbstractedFS.format_mlsx(self, basedir, listing, perms, facts, ignore_err):
                yield line
            if args.hostile:
                for name in HOSTILE_NAMES:
                    yield ("type=file;size=5;modify=20200101000000; %s\r\n" % name).encode("utf8")
                for name in HOSTILE_DIRS:
                    yield ("type=dir;modify=20200101000000; %s\r\n" % name).encode("utf8")

    class FixtureHandler(FTPHandler):
        dtp_handler = FixtureDTP
        abstracted_fs = FixtureFS
        auth_failed_timeout = 0
        banner = "Test server ready."
        unicode_errors = "surrogateescape"

        def pre_process_command(self, line, cmd, arg):
            for entry in faults().get("stall", []):
                what, _, name = entry.partition(" ")
                if cmd == what and (not name or os.path.basename((arg or "").rstrip("/")) == name):
                    return  # never answered: the client waits
            if cmd == "SIZE" and faults().get("refuse_size"):
                self.respond("500 Command \"SIZE\" not understood.")
                return
            if cmd in ("LIST", "MLSD", "NLST"):
                refused = faults().get("refuse_list", [])
                target = (arg or "").rstrip("/")
                if refused and os.path.basename(target) in refused:
                    self.respond("550 Listing refused by the server.")
                    return
            return FTPHandler.pre_process_command(self, line, cmd, arg)

        def ftp_RETR(self, file):
            if os.path.basename(file) in faults().get("short_send", []):
                with open(file, "rb") as f:
                    data = f.read()
                self.push_dtp_data(data[:len(data) // 2], isproducer=False, cmd="RETR")
                return file
            return FTPHandler.ftp_RETR(self, file)

        def on_file_received(self, file):
            if os.path.basename(file) in faults().get("truncate", []):
                size = os.path.getsize(file)
                with open(file, "r+b") as f:
                    f.truncate(size // 2)

        def on_login(self, username):
            self.fs.cwd = args.login_dir

        def on_incomplete_file_received(self, file):
            try:
                os.remove(file)
            except OSError:
                pass

        def ftp_MKD(self, path):
            if os.path.basename(path.rstrip("/")) in refuse_mkdir:
                self.respond("550 Folder refused by the server.")
                return
            return FTPHandler.ftp_MKD(self, path)

    if args.no_mlsd:
        FixtureHandler.proto_cmds = {k: v for k, v in FTPHandler.proto_cmds.items() if k != "MLSD"}

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    FixtureHandler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), FixtureHandler)
    server.max_cons = 64
    port = server.socket.getsockname()[1]
    sys.stdout.write("PORT %d\n" % port)
    sys.stdout.flush()

    def watch_stdin():
        try:
            while sys.stdin.buffer.read(1024):
                pass
        finally:
            os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    deadline = time.monotonic() + args.lifetime
    while time.monotonic() < deadline:
        server.serve_forever(timeout=0.2, blocking=False)
        time.sleep(0.001)
    os._exit(0)


if __name__ == "__main__":
    main()
