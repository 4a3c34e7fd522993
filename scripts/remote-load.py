#!/usr/bin/env python3
"""Load of the remote interface's stream: N WebSocket clients for S seconds.

Usage: remote-load.py URL [CLIENTS [SECONDS]]   (URL as printed after
"tovra: remote at"; loopback only). Each client reads every message and
checks that the ticks follow one another; at the end one line per client
and a total: messages, ticks missed, the longest gap between messages.
Standard library only (a minimal WebSocket reader: the server's frames
are unmasked text frames). Exit 1 when a client lost a message or was cut.
"""
import base64
import json
import os
import socket
import struct
import sys
import threading
import time
import urllib.parse

url = urllib.parse.urlparse(sys.argv[1])
clients = int(sys.argv[2]) if len(sys.argv) > 2 else 20
seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 60
assert url.hostname in ("127.0.0.1", "localhost", "::1"), "loopback only"


def read_exact(sock, n):
    data = b""
    while len(data) < n:
        chunk = sock.recv(n - len(data))
        if not chunk:
            raise ConnectionError("closed by the server")
        data += chunk
    return data


def client(index, results):
    sock = socket.create_connection((url.hostname, url.port), timeout=10)
    key = base64.b64encode(os.urandom(16)).decode()
    sock.sendall((f"GET /api/stream HTTP/1.1\r\nHost: {url.netloc}\r\nUpgrade: websocket\r\n"
                  f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                  "Sec-WebSocket-Version: 13\r\n\r\n").encode())
    head = b""
    while b"\r\n\r\n" not in head:
        head += read_exact(sock, 1)
    assert head.startswith(b"HTTP/1.1 101"), head
    r = {"messages": 0, "missed": 0, "gap": 0.0, "error": None, "first": None, "last": None}
    end = time.monotonic() + seconds
    last_time = time.monotonic()
    try:
        while time.monotonic() < end:
            b0, b1 = read_exact(sock, 2)
            length = b1 & 0x7F
            if length == 126:
                length = struct.unpack(">H", read_exact(sock, 2))[0]
            elif length == 127:
                length = struct.unpack(">Q", read_exact(sock, 8))[0]
            payload = read_exact(sock, length)
            opcode = b0 & 0x0F
            if opcode == 8:
                raise ConnectionError("close frame")
            if opcode != 1:
                continue
            now = time.monotonic()
            r["gap"] = max(r["gap"], now - last_time)
            last_time = now
            tick = json.loads(payload)["tick"]
            if r["last"] is not None and tick != r["last"] + 1:
                r["missed"] += max(0, tick - r["last"] - 1)
            r["first"] = tick if r["first"] is None else r["first"]
            r["last"] = tick
            r["messages"] += 1
    except Exception as error:  # noqa: BLE001 - reported per client
        r["error"] = str(error)
    sock.close()
    results[index] = r


results = [None] * clients
threads = [threading.Thread(target=client, args=(i, results)) for i in range(clients)]
for t in threads:
    t.start()
for t in threads:
    t.join()
bad = 0
for i, r in enumerate(results):
    print(f"client {i:2}: {r['messages']} messages, ticks {r['first']}..{r['last']}, "
          f"{r['missed']} missed, longest gap {r['gap'] * 1000:.0f} ms"
          + (f", error: {r['error']}" if r["error"] else ""))
    bad += r["missed"] > 0 or r["error"] is not None
total = sum(r["messages"] for r in results)
print(f"total: {clients} clients, {total} messages in {seconds:.0f} s "
      f"({total / seconds / clients:.1f} per client per second), {bad} clients with a loss")
sys.exit(1 if bad else 0)
