#!/usr/bin/env python3
"""A home-built panel in 30 lines: prints tovra's speed and lit lamps.

Usage: remote_client.py [URL [TOKEN]]   (URL as tovra prints it after
"tovra: remote at"; the token is needed only off loopback). Standard
library only: it asks /api/state five times a second.
"""
import json
import sys
import time
import urllib.request

url = (sys.argv[1] if len(sys.argv) > 1 else "http://127.0.0.1:8428/").rstrip("/")
token = sys.argv[2] if len(sys.argv) > 2 else ""
request = urllib.request.Request(url + "/api/state")
if token:
    request.add_header("Authorization", "Bearer " + token)

while True:
    with urllib.request.urlopen(request, timeout=5) as reply:
        state = json.load(reply)
    lit = [name for name, on in state["lamps"].items() if on]
    limit = state["limits"]["signal"] or state["limits"]["section"]
    print(f'{state["clock_text"]}  {state["speed"]:6.1f} km/h  limit {limit}  '
          f'{state["power"]["text"]}/{state["brake"]["text"]}  lamps: {" ".join(lit)}',
          flush=True)
    time.sleep(0.2)
