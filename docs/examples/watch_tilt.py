#!/usr/bin/env python3
"""Watch a balance car's tilt (gyroscope) and acceleration, changing nothing.

    python3 watch_tilt.py --station lab-pc-3
"""
import argparse
import json

import paho.mqtt.client as mqtt

parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
parser.add_argument("--host", default="localhost", help="the broker (default: localhost)")
parser.add_argument("--port", type=int, default=1883)
parser.add_argument("--station", required=True, help="the station's name")
args = parser.parse_args()


def on_connect(client, userdata, flags, rc):
    client.subscribe(f"korvane/{args.station}/telemetry")


def on_message(client, userdata, message):
    fields = json.loads(message.payload)
    tilt = fields.get("gyroscope_deg")
    acceleration = fields.get("acceleration_g")
    if tilt is not None:
        bar = "#" * min(40, int(abs(tilt)))
        print(f"tilt {tilt:7.2f} deg  acceleration {acceleration} g  {bar}", flush=True)


client = mqtt.Client()
client.on_connect = on_connect
client.on_message = on_message
client.connect(args.host, args.port)
client.loop_forever()
