#!/usr/bin/python3
"""A local SMTP server for the tests: AUTH LOGIN required, no TLS, on 127.0.0.1 only.

usage: smtp_sink.py FOLDER USER PASSWORD
Prints "READY <port>" once it listens; each accepted message is written to FOLDER as
<n>.json (envelope, decoded subject and body, raw subject header, the login used).
Recipients starting with "nobody@" are refused. Stops when its standard input closes.
"""
import email
import json
import os
import socket
import sys
from email import policy

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

folder, user, password = sys.argv[1:4]
logins = []


def authenticator(server, session, envelope, mechanism, auth_data):
    ok = (isinstance(auth_data, LoginPassword)
          and auth_data.login == user.encode() and auth_data.password == password.encode())
    if ok:
        logins.append(mechanism)
    return AuthResult(success=ok, handled=False)


class Sink:
    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("nobody@"):
            return "550 5.1.1 no such mailbox"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        raw = envelope.original_content or envelope.content
        msg = email.message_from_bytes(raw, policy=policy.default)
        legacy = email.message_from_bytes(raw)
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "subject": str(msg["subject"]),
            "raw_subject": legacy["Subject"],
            "to": str(msg["to"]),
            "from": str(msg["from"]),
            "content_type": msg.get_content_type(),
            "charset": msg.get_content_charset(),
            "body": msg.get_content(),
            "auth_mechanism": logins[-1] if logins else None,
        }
        n = len([f for f in os.listdir(folder) if f.endswith(".json")])
        tmp = os.path.join(folder, "%d.tmp" % n)
        with open(tmp, "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        os.rename(tmp, os.path.join(folder, "%d.json" % n))
        return "250 Message accepted"


def free_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


port = free_port()
controller = Controller(Sink(), hostname="127.0.0.1", port=port, authenticator=authenticator,
                        auth_required=True, auth_require_tls=False)
controller.start()
print("READY %d" % port, flush=True)
try:
    sys.stdin.read()
finally:
    controller.stop()
