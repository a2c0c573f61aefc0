#!/usr/bin/env python3
"""A Wayland connection passed through, that can unplug an output.

Debian's sway can add a headless output but not remove one; disabling it
keeps its global. This proxy sits between one client and the compositor,
passes every message and file descriptor on unchanged, and when the file
TRIGGER appears tells the client that the INDEX-th wl_output global (from 1)
is gone, as a compositor does for a monitor that is unplugged. The compositor
itself never learns of it, so it goes on answering what the client still asks
of that output.

    wayland_unplug_proxy.py LISTEN_SOCKET UPSTREAM_SOCKET TRIGGER INDEX
"""
import array
import os
import selectors
import socket
import struct
import sys

HEADER = struct.Struct("<II")
MAX_FDS = 28  # libwayland's own limit per message


def receive(sock):
    fds = array.array("i")
    data, ancillary, _, _ = sock.recvmsg(65536, socket.CMSG_SPACE(MAX_FDS * fds.itemsize))
    for level, kind, payload in ancillary:
        if level == socket.SOL_SOCKET and kind == socket.SCM_RIGHTS:
            fds.frombytes(payload[: len(payload) - len(payload) % fds.itemsize])
    return data, list(fds)


def send(sock, data, fds):
    ancillary = [(socket.SOL_SOCKET, socket.SCM_RIGHTS, array.array("i", fds))] if fds else []
    sent = sock.sendmsg([data], ancillary)
    if sent < len(data):
        sock.sendall(data[sent:])
    for fd in fds:
        os.close(fd)


def messages(buffer):
    """The complete messages at the start of buffer, and how many bytes they take."""
    found, offset = [], 0
    while len(buffer) - offset >= HEADER.size:
        sender, word = HEADER.unpack_from(buffer, offset)
        size = word >> 16
        if size < HEADER.size or len(buffer) - offset < size:
            break
        found.append((sender, word & 0xFFFF, bytes(buffer[offset + HEADER.size : offset + size])))
        offset += size
    return found, offset


def global_interface(body):
    length = struct.unpack_from("<I", body, 4)[0]
    return body[8 : 8 + length - 1].decode()


def main():
    listen_path, upstream_path, trigger, index = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    if os.path.exists(listen_path):
        os.unlink(listen_path)
    listener.bind(listen_path)
    listener.listen(1)
    client, _ = listener.accept()
    upstream = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    upstream.connect(upstream_path)

    registries, outputs = set(), []
    from_client, from_server = bytearray(), bytearray()
    held_fds = []
    unplugged = False
    selector = selectors.DefaultSelector()
    selector.register(client, selectors.EVENT_READ)
    selector.register(upstream, selectors.EVENT_READ)
    while True:
        for key, _ in selector.select(timeout=0.05):
            data, fds = receive(key.fileobj)
            if not data:
                return
            if key.fileobj is client:
                # Passed on at once; read only to learn the registry's id.
                send(upstream, data, fds)
                from_client += data
                found, used = messages(from_client)
                del from_client[:used]
                for sender, opcode, body in found:
                    if sender == 1 and opcode == 1:  # wl_display.get_registry
                        registries.add(struct.unpack_from("<I", body)[0])
            else:
                # Passed on whole messages at a time, so that an event can be put between two.
                from_server += data
                held_fds += fds
                found, used = messages(from_server)
                if used == 0:
                    continue
                for sender, opcode, body in found:
                    if sender in registries and opcode == 0 and global_interface(body) == "wl_output":
                        outputs.append((sender, struct.unpack_from("<I", body)[0]))
                send(client, bytes(from_server[:used]), held_fds)
                del from_server[:used]
                held_fds = []
        if not unplugged and os.path.exists(trigger) and len(outputs) >= index:
            registry, name = outputs[index - 1]
            body = struct.pack("<I", name)
            send(client, HEADER.pack(registry, ((HEADER.size + len(body)) << 16) | 1) + body, [])
            unplugged = True
            print(f"removed wl_output global {name}", flush=True)


if __name__ == "__main__":
    main()
