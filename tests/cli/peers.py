#!/usr/bin/python3
"""Misbehaving printers on loopback, for the command's tests.

Starts each kind on a free port, prints "KIND PORT" a line, then serves until
killed:
  silent     accepts connections and never answers
  babbling   answers every request with an HTTP page that is not IPP, and
             what is not HTTP (a TLS hello) with 400 Bad Request
  garbage    answers with bytes that are not HTTP at all
  forgetful  an IPP printer that takes a job and its page, then answers
             "not found" when asked about the job
  stalling   takes a job, then never answers for its page; cancels the job
             when asked on another connection
  deaf       takes a job, then never answers anything again
and raw ports (socket://) that answer what a job asks once it has ended:
  pcl        a PCL printer's: PJL INFO CONFIG with its languages (PCL), and the
             status readback for fonts as documented, with an OCR-B font
  pcl_plain  the same, with no OCR-B among its fonts
  flooding   answers a job with bytes that never end
  truncating answers with the first half of a font list, then closes
  hangup     closes each connection at once
The last line is "ready 0".
"""
import socket
import struct
import sys
import threading

OK, NOT_FOUND = 0x0000, 0x0406


def attribute(tag, name, *values):
    out = b""
    for i, value in enumerate(values):
        if isinstance(value, bool):
            data = b"\x01" if value else b"\x00"
        elif isinstance(value, int):
            data = struct.pack(">i", value)
        else:
            data = value.encode()
        key = name.encode() if i == 0 else b""
        out += struct.pack(">BH", tag, len(key)) + key + struct.pack(">H", len(data)) + data
    return out


def ipp_answer(status, request_id, groups):
    body = struct.pack(">BBHI", 2, 0, status, request_id)
    body += b"\x01" + attribute(0x47, "attributes-charset", "utf-8") + \
        attribute(0x48, "attributes-natural-language", "en")
    for tag, attributes in groups:
        body += bytes([tag]) + attributes
    return body + b"\x03"


def printer_group(port):
    uri = "ipp://127.0.0.1:%d/ipp/print" % port
    return (0x04, attribute(0x45, "printer-uri-supported", uri) +
            attribute(0x44, "uri-security-supported", "none") +
            attribute(0x44, "uri-authentication-supported", "none") +
            attribute(0x42, "printer-name", "forgetful") +
            attribute(0x41, "printer-make-and-model", "Rig Forgetful") +
            attribute(0x23, "printer-state", 3) +
            attribute(0x44, "printer-state-reasons", "none") +
            attribute(0x22, "printer-is-accepting-jobs", True) +
            attribute(0x49, "document-format-supported", "application/octet-stream",
                      "application/vnd.hp-PCL") +
            attribute(0x49, "document-format-default", "application/octet-stream") +
            attribute(0x23, "operations-supported", 0x0002, 0x0004, 0x0005, 0x0006, 0x0008,
                      0x0009, 0x000A, 0x000B) +
            attribute(0x47, "charset-supported", "utf-8") +
            attribute(0x48, "generated-natural-language-supported", "en") +
            attribute(0x44, "ipp-versions-supported", "1.1", "2.0") +
            attribute(0x44, "compression-supported", "none") +
            attribute(0x44, "job-creation-attributes-supported", "copies"))


class Connection:
    """One HTTP/1.1 connection of a client, request after request."""

    def __init__(self, sock):
        self.sock = sock
        self.buffer = b""

    def read_until(self, mark):
        while mark not in self.buffer:
            data = self.sock.recv(65536)
            if not data:
                raise EOFError
            self.buffer += data
        head, _, self.buffer = self.buffer.partition(mark)
        return head

    def read_exactly(self, count):
        while len(self.buffer) < count:
            data = self.sock.recv(65536)
            if not data:
                raise EOFError
            self.buffer += data
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data

    def request(self):
        """The next request's headers and body."""
        head = self.read_until(b"\r\n\r\n").decode("latin-1").split("\r\n")
        headers = {line.split(":", 1)[0].lower(): line.split(":", 1)[1].strip()
                   for line in head[1:] if ":" in line}
        if headers.get("expect", "").lower() == "100-continue":
            self.sock.sendall(b"HTTP/1.1 100 Continue\r\n\r\n")
        body = b""
        if headers.get("transfer-encoding", "").lower() == "chunked":
            while True:
                size = int(self.read_until(b"\r\n").split(b";")[0], 16)
                if size == 0:
                    self.read_until(b"\r\n")
                    break
                body += self.read_exactly(size)
                self.read_until(b"\r\n")
        else:
            body = self.read_exactly(int(headers.get("content-length", "0")))
        return head[0], headers, body

    def answer(self, body, content_type="application/ipp"):
        self.sock.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: %s\r\nContent-Length: %d\r\n\r\n"
                          % (content_type.encode(), len(body)) + body)


def job_group(state):
    return (0x02, attribute(0x21, "job-id", 1) + attribute(0x23, "job-state", state))


def ipp_printer(port, answers):
    """Serves IPP requests; answers(operation) gives the groups of an answer,
    None to fall silent, or a status alone."""
    def serve(sock, _):
        connection = Connection(sock)
        while True:
            _, _, body = connection.request()
            operation, request_id = struct.unpack(">HI", body[2:8])
            if operation == 0x000B:  # Get-Printer-Attributes
                answer = [printer_group(port)]
            else:
                answer = answers(operation)
            if answer is None:
                threading.Event().wait()
            status = answer if isinstance(answer, int) else OK
            connection.answer(ipp_answer(status, request_id, [] if status != OK else answer))
    return serve


CREATE_JOB, SEND_DOCUMENT, CANCEL_JOB = 0x0005, 0x0006, 0x0008


def forgetful(sock, port):
    ipp_printer(port, lambda operation: [job_group(3)] if operation == CREATE_JOB else
                [job_group(5)] if operation == SEND_DOCUMENT else NOT_FOUND)(sock, port)


def stalling(sock, port):
    ipp_printer(port, lambda operation: [job_group(3)] if operation == CREATE_JOB else
                [job_group(7)] if operation == CANCEL_JOB else None)(sock, port)


def deaf(sock, port):
    ipp_printer(port, lambda operation: [job_group(3)] if operation == CREATE_JOB else
                None)(sock, port)


def babbling(sock, port):
    connection = Connection(sock)
    while True:
        if sock.recv(1, socket.MSG_PEEK) == b"\x16":  # a TLS hello
            sock.sendall(b"HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n")
            return
        connection.request()
        connection.answer(b"<html><body>Printer ready.</body></html>\n", "text/html")


def garbage(sock, port):
    sock.recv(65536)
    sock.sendall(b"\x00\x17\xffPRINTER READY\x07\r\n" * 20)
    threading.Event().wait()


UEL = b"\x1b%-12345X"
PCL_FONTS = [
    b'SELECT="<Esc>(8U<Esc>(s0p16.67h8.5v0s0b0T"\r\nDEFID="I 0"\r\nNAME="Line Printer"\r\n',
    b'SELECT="<Esc>(s0p__h0s0b4099T"\r\nSYMBOLSETS="0D,0I,0N,0S,0U,1E"\r\nDEFID="I 3"\r\n'
    b'NAME="Courier"\r\n',
    b'SELECT="<Esc>(s1p__v0s0b4101T"\r\nSYMBOLSETS="0D,0I,0N,0S,0U,1E"\r\nDEFID="I 5"\r\n'
    b'NAME="CG Times"\r\n',
]
OCR_B_FONT = b'SELECT="<Esc>(1O<Esc>(s0p10.00h12.0v0s0b110T"\r\nDEFID="C 1"\r\nNAME="OCR-B"\r\n'
PJL_CONFIG = (b"@PJL INFO CONFIG\r\nIN TRAYS [1 ENUMERATED]\r\n\tINTRAY1 MP\r\n"
              b"LANGUAGES [1 ENUMERATED]\r\n\tPCL\r\nMEMORY=8388608\r\n\f")


def whole_job(sock):
    """What a job sends until it closes its sending side."""
    job = b""
    while True:
        data = sock.recv(65536)
        if not data:
            return job
        job += data


def font_answer(with_ocr_b):
    fonts = PCL_FONTS + ([OCR_B_FONT] if with_ocr_b else [])
    return b"PCL\r\nINFO FONTS EXTENDED\r\n" + b"".join(fonts) + b"\f"


def pcl_answer(job, with_ocr_b):
    if b"@PJL INFO CONFIG" in job:
        return PJL_CONFIG
    if b"\x1b*s4I" in job:
        return font_answer(with_ocr_b)
    return b""


def pcl(sock, port):
    sock.sendall(pcl_answer(whole_job(sock), True))


def pcl_plain(sock, port):
    # A font name that holds a colour change, which must reach no terminal raw.
    sock.sendall(pcl_answer(whole_job(sock), False).replace(b"CG Times", b"CG Times\x1b[31mred"))


def flooding(sock, port):
    whole_job(sock)
    for _ in range(4096):  # 256 MB at most, far beyond what any answer holds
        sock.sendall(b"PCL\r\n" * 10000 + b"\x00" * 5536)


def truncating(sock, port):
    answer = font_answer(True)
    whole_job(sock)
    sock.sendall(answer[:len(answer) // 2])


def hangup(sock, port):
    pass


def silent(sock, port):
    threading.Event().wait()


def serve(kind, listener, port):
    while True:
        sock, _ = listener.accept()
        threading.Thread(target=guarded, args=(kind, sock, port), daemon=True).start()


def guarded(kind, sock, port):
    try:
        kind(sock, port)
    except (EOFError, OSError, ValueError, struct.error):
        pass
    finally:
        sock.close()


def main():
    for name in ("silent", "babbling", "garbage", "forgetful", "stalling", "deaf", "pcl",
                 "pcl_plain", "flooding", "truncating", "hangup"):
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(16)
        port = listener.getsockname()[1]
        threading.Thread(target=serve, args=(globals()[name], listener, port), daemon=True).start()
        print(name, port, flush=True)
    print("ready 0", flush=True)
    threading.Event().wait()


if __name__ == "__main__":
    sys.exit(main())
