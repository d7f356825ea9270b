#!/usr/bin/python3
"""A PostScript printer's raw port on loopback, for the command's tests and
the fonts benchmark: each connection is handed to a Ghostscript process that
reads its job from it and writes what the job prints back to it, as a
printer's PostScript interpreter does on port 9100.

  ps_printer.py [--ocr-b]

prints the port it listens on, then serves until killed. Ghostscript sees
only its own fonts (no fontconfig), and with --ocr-b also the OCR-B of
Debian's fonts-ocr-b, made resident by a Fontmap.
"""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading

OCR_B = "/usr/share/fonts/opentype/ocr-b/OCRB.otf"


def settings(folder, ocr_b):
    """Ghostscript's command line and environment."""
    config = os.path.join(folder, "fonts.conf")
    with open(config, "w") as out:
        out.write('<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n'
                  % os.path.join(folder, "cache"))
    command = ["gs", "-q", "-dNODISPLAY", "-dNOPAUSE", "-dBATCH", "-dSAFER"]
    if ocr_b:
        fontmap = os.path.join(folder, "Fontmap")
        with open(fontmap, "w") as out:
            out.write("/OCRB (%s) ;\n" % OCR_B)
        # Ghostscript's own Fontmap, and ours after it.
        command += ["-sFONTMAP=Fontmap:" + fontmap,
                    "--permit-file-read=" + os.path.dirname(OCR_B) + "/"]
    return command + ["-"], dict(os.environ, FONTCONFIG_FILE=config)


def interpret(connection, command, environment):
    with connection:
        subprocess.run(command, stdin=connection, stdout=connection, stderr=subprocess.DEVNULL,
                       env=environment, timeout=60, check=False)


def serve(folder):
    command, environment = settings(folder, "--ocr-b" in sys.argv[1:])
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    print(listener.getsockname()[1], flush=True)
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=interpret, args=(connection, command, environment),
                         daemon=True).start()


def main():
    # Its users stop it with SIGTERM: leave by the finally, so the folder goes too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    folder = tempfile.mkdtemp(prefix="fontprobe-ps-printer.")
    try:
        serve(folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
