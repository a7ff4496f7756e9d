#!/usr/bin/env python3
"""Drive a basic robot car forward and stop it before the wall.

The station must allow remote control (Config > Share over MQTT... > Allow remote control).

    python3 stop_at_wall.py --station lab-pc-3 --stop-at 20
"""
import argparse
import json
import sys
import threading

import paho.mqtt.client as mqtt

parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
parser.add_argument("--host", default="localhost", help="the broker (default: localhost)")
parser.add_argument("--port", type=int, default=1883)
parser.add_argument("--station", required=True, help="the station's name")
parser.add_argument("--stop-at", type=float, default=20, help="distance in cm (default 20)")
parser.add_argument("--timeout", type=float, default=60, help="give up after this many seconds")
args = parser.parse_args()
prefix = f"korvane/{args.station}"
state = {"driving": False}
done = threading.Event()


def on_connect(client, userdata, flags, rc):
    client.subscribe(f"{prefix}/telemetry")
    client.subscribe(f"{prefix}/cmd/refused")
    client.publish(f"{prefix}/cmd/key", "W")  # forward
    state["driving"] = True
    print("driving forward", flush=True)


def on_message(client, userdata, message):
    if message.topic.endswith("/cmd/refused"):
        print("refused:", json.loads(message.payload)["reason"], file=sys.stderr, flush=True)
        state["refused"] = True
        client.disconnect()
        return
    fields = json.loads(message.payload)
    distance = fields.get("distance_cm")
    if state["driving"] and isinstance(distance, (int, float)) and distance < args.stop_at:
        client.publish(f"{prefix}/cmd/key", "space")  # stop
        state["driving"] = False
        print(f"stopped at {distance} cm", flush=True)
        client.disconnect()


client = mqtt.Client()
client.on_connect = on_connect
client.on_message = on_message
client.on_disconnect = lambda client, userdata, rc: done.set()
client.connect(args.host, args.port)
client.loop_start()
done.wait(args.timeout)  # until stopped (or refused), or the time is up
client.loop_stop()
sys.exit(0 if not state["driving"] and not state.get("refused") else 1)
