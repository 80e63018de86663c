#!/usr/bin/python3
"""Publishes scanner services with python3-zeroconf, for the discovery tests.

Run it only inside tests/netns-run.sh: it answers multicast DNS.

  zeroconf-responder.py DEVICE:MODEL:SERIAL ...

Each argument becomes one "_scanner._tcp" service with the scanner TXT keys.
Prints "ready" once every service is announced. Reads commands from standard
input: "withdraw DEVICE" unregisters that service (its goodbye goes out) and
prints "withdrawn DEVICE". Ends at the end of standard input.
"""
import socket
import sys

from zeroconf import IPVersion, ServiceInfo, Zeroconf

SERVICE_TYPE = "_scanner._tcp.local."


def service_info(argument):
    device, model, serial = argument.split(":")
    properties = {"mdl": "MERIX " + model, "SERIAL": serial, "device": device, "ethaddr": "00:00:5e:00:53:10"}
    return device, ServiceInfo(
        SERVICE_TYPE,
        device + "." + SERVICE_TYPE,
        addresses=[socket.inet_aton("127.0.0.1")],
        port=443,
        properties=properties,
        server="zeroconf-scanner.local.",
    )


def main():
    zeroconf = Zeroconf(interfaces=["127.0.0.1"], ip_version=IPVersion.V4Only)
    services = dict(service_info(argument) for argument in sys.argv[1:])
    try:
        for info in services.values():
            zeroconf.register_service(info)
        print("ready", flush=True)
        for line in sys.stdin:
            command, _, device = line.strip().partition(" ")
            if command == "withdraw" and device in services:
                zeroconf.unregister_service(services.pop(device))
                print("withdrawn " + device, flush=True)
    finally:
        zeroconf.close()


if __name__ == "__main__":
    main()
