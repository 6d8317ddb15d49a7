#!/usr/bin/python3
"""A local HTTPS server for the news e2e test: answers every GET on
127.0.0.1:PORT with one file, or holds each connection for a while without
answering. It stops by itself after --life seconds.

  news_server.py --cert C --key K --log L serve FILE
  news_server.py --cert C --key K --log L hold SECONDS
"""
import argparse
import socket
import ssl
import threading
import time


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--cert", required=True)
    p.add_argument("--key", required=True)
    p.add_argument("--log", required=True)
    p.add_argument("--port", type=int, default=443)
    p.add_argument("--life", type=float, default=120)
    p.add_argument("mode", choices=["serve", "hold"])
    p.add_argument("arg")
    a = p.parse_args()

    ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    ctx.load_cert_chain(a.cert, a.key)
    body = open(a.arg, "rb").read() if a.mode == "serve" else b""
    lock = threading.Lock()

    def log(line):
        with lock, open(a.log, "a") as f:
            f.write(line + "\n")

    def handle(conn):
        try:
            conn.settimeout(10)
            tls = ctx.wrap_socket(conn, server_side=True)
            request = b""
            while b"\r\n\r\n" not in request and len(request) < 65536:
                chunk = tls.recv(4096)
                if not chunk:
                    break
                request += chunk
            log("request " + request.split(b"\r\n", 1)[0].decode("latin-1"))
            if a.mode == "hold":
                log("holding")
                time.sleep(float(a.arg))
            else:
                head = ("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: %d\r\n"
                        "Connection: close\r\n\r\n" % len(body)).encode()
                tls.sendall(head + body)
                log("answered %d bytes" % len(body))
            tls.close()
        except (OSError, ssl.SSLError) as e:
            log("error %s" % e)
        finally:
            conn.close()

    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", a.port))
    server.listen(8)
    server.settimeout(0.5)
    log("listening")
    end = time.time() + a.life
    while time.time() < end:
        try:
            conn, _ = server.accept()
        except socket.timeout:
            continue
        threading.Thread(target=handle, args=(conn,), daemon=True).start()


if __name__ == "__main__":
    main()
