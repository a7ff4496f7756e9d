#!/usr/bin/env python3
"""Print a car's distance as its Korvane PC station shares it.

    python3 print_distance.py --station lab-pc-3
"""
import argparse
import json

import paho.mqtt.client as mqtt

parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
parser.add_argument("--host", default="localhost", help="the broker (default: localhost)")
parser.add_argument("--port", type=int, default=1883)
parser.add_argument("--station", required=True, help="the station's name")
args = parser.parse_args()
topic = f"korvane/{args.station}/telemetry"


def on_connect(client, userdata, flags, rc):
    client.subscribe(topic)


def on_message(client, userdata, message):
    fields = json.loads(message.payload)
    if "distance_cm" in fields:
        print(f"{fields['distance_cm']} cm", flush=True)


client = mqtt.Client()
client.on_connect = on_connect
client.on_message = on_message
client.connect(args.host, args.port)
client.loop_forever()
