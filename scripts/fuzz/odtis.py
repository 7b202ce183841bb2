#!/usr/bin/env python3
"""Fuzzer of the sample service (examples/odtis), run under the build's Wine prefix.

Starts odtis.exe --console with settings of its own, and runs many clients at once against it. Each
client sends a request stream drawn from the protocol's grammar (MD5/SHA256 lines, bodies of edge and
random sizes, CRs, leading zeros) and mutated (malformed or oversized lines, split anywhere, pipelined,
trickled, withheld, cut, not read). Every answer is checked against an oracle: a model of the protocol
fed with the bytes really sent, which gives the digests (hashlib) and refusals a correct service gives;
every connection's end against the service's deadlines (a request line complete within IdleTimeout of
the previous answer, a body at 64 KiB/s on average after IdleTimeout, a stop done within 5 s and a
second, a new client served within IdleTimeout and a few seconds however the others behave); and the
service's threads, descriptors (its sockets and files) and memory, read from /proc at quiet moments,
must not grow with the connections. The service's log must hold well-formed lines and count the
requests answered. Each service process is stopped in the middle of traffic.

First every wrong setting and log name is started in the console (each must stop the start with its
reason, or find its log by its UTF-16 name); then the known cases (the faults found by hand, the log's
account of faulty requests), then random processes until the time is up.
Every failure is printed with the command that replays its process (same seed, same inputs).

usage: odtis.py --build build/x86_64 [--seconds 60] [--seed 1] [--only N] [--exe odtis.exe]
"""
import argparse
import base64
import hashlib
import os
import queue
import random
import re
import select
import socket
import streznik
import subprocess
import sys
import threading
import time

RATE = 64 * 1024  # bytes/s a body must keep on average, after IdleTimeout
STOP = 5.0  # s that requests in flight get after a stop
TOL = float(os.environ.get("ODTIS_FUZZ_TOL", "1.5"))  # s of slack on every deadline: Wine on a busy machine

CONFIGS = {
    "small": dict(Threads=4, IdleTimeout=2, MaxRequest=1 << 20),
    "one": dict(Threads=1, IdleTimeout=2, MaxRequest=1 << 16),
    "wide": dict(Threads=16, IdleTimeout=3, MaxRequest=8 << 20),
    "default": dict(Threads=64, IdleTimeout=30, MaxRequest=64 << 20),
}
BUSY = b"ERR 503 all threads are busy"
STOPPING = b"ERR 503 the service is stopping"
BAD = b"ERR 400 malformed request line"
FAULTS = [b"MD5 5\0junk\nabcde", b"MD5 1111111111111111111111111111\r", b"MD5 1\r2", b"HELLO", b"MD5", b"MD5 12x",
          b"md5 1", b"MD5 -1", b"MD5 000000000000000000000000000000001", b"SHA256", b"SHA256 1x", b"sha256 1",
          b"MD5 8388609", b"SHA256 8388609", b"MD5 99999999999999999999999", b"MD5 1000\n0123456789"]
# Settings that stop the start, each with the reason the service gives (which names the setting first):
# integers are written as REG_DWORD, texts as REG_SZ.
BAD_SETTINGS = [(70000, "Port is 70000, outside 0 to 65535"), ("abc", "Port must be REG_DWORD, not REG_SZ"),
                ("+5", "MaxRequest must be REG_DWORD, not REG_SZ"), (0, "Threads is 0, outside 1 to 1024"),
                (1025, "Threads is 1025, outside 1 to 1024"), (0, "IdleTimeout is 0, outside 1 to 3600"),
                (3601, "IdleTimeout is 3601, outside 1 to 3600"), (1, "Language must be REG_SZ, not REG_DWORD"),
                ("eng", 'Language is "eng", not two letters'), ("e1", 'Language is "e1", not two letters'),
                (7, "LogFile must be REG_SZ or REG_EXPAND_SZ, not REG_DWORD"),
                ("", 'LogFile is "", not a non-empty text')]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# ---- the oracle ----------------------------------------------------------------------------------

def model(stream, limit):
    """What a correct service answers to these bytes: (answers, end). answers are the lines (without
    LF); end is 'eof' (clean), 'cut' (the stream stops inside a request) or 'refused'."""
    answers, pos = [], 0
    while pos < len(stream):
        lf = stream.find(b"\n", pos, pos + 33)
        if lf < 0:
            if len(stream) - pos >= 33:  # 32 characters and one more without an LF: refused at once
                return answers + [BAD], "refused"
            return answers, "cut"
        text = stream[pos:lf]
        if text.endswith(b"\r"):
            text = text[:-1]
        m = re.fullmatch(rb"(MD5|SHA256) ([0-9]+)", text) if len(text) <= 31 else None
        if not m:
            return answers + [BAD], "refused"
        length = int(m.group(2))
        if length > limit:
            return answers + [b"ERR 413 request over the limit of %d bytes" % limit], "refused"
        body = stream[lf + 1:lf + 1 + length]
        if len(body) < length:
            return answers, "cut"
        digest = (hashlib.md5 if m.group(1) == b"MD5" else hashlib.sha256)(body).digest()
        answers.append(b"OK " + base64.b64encode(digest + length.to_bytes(8, "little")))
        pos = lf + 1 + length
    return answers, "eof"


def request_line(rng, limit, kind=None, size=None):
    kind = kind or rng.choice([b"MD5", b"SHA256"])
    if size is None:
        size = rng.choice([0, 1, 3, 63, 64, 65, 1000, 65535, 65536, 65537, limit, rng.randrange(0, 4096),
                           rng.randrange(0, min(limit, 300000) + 1)])
    digits = str(size).encode()
    if rng.random() < 0.15:  # leading zeros up to the longest line allowed
        digits = b"0" * rng.randrange(0, 31 - len(kind) - len(digits)) + digits
    return kind + b" " + digits + (b"\r" if rng.random() < 0.2 else b"") + b"\n", size


def mutate_line(rng, line, limit):
    """A line the service must refuse (400), or one over the limit (413)."""
    choice = rng.randrange(10)
    text = line.rstrip(b"\r\n")
    if choice == 0:
        return text.lower() + b"\n"
    if choice == 1:
        return text.replace(b" ", b"", 1) + b"\n"
    if choice == 2:
        i = rng.randrange(len(text) + 1)
        return text[:i] + bytes([rng.choice([0, 9, 13, 32, 43, 45, 0xE8])]) + text[i:] + b"\n"
    if choice == 3:
        return text + b"0" * rng.randrange(28, 40) + b"\n"  # over 31 characters
    if choice == 4:
        return b"MD5 " + str(limit + 1).encode() + b"\n"
    if choice == 5:
        return b"SHA256 " + b"9" * rng.randrange(11, 25) + b"\n"
    if choice == 6:
        return rng.choice([b"MD5\n", b"SHA256 \n", b"HELLO\n", b"\n", b"\r\n", b"MD5 \n", b"MD5  1\n"])
    if choice == 7:
        return text + b"\r\r\n"
    if choice == 8:
        return bytes(rng.randrange(256) for _ in range(rng.randrange(1, 40))) + b"\n"
    return b"SHA256 " + b"0" * 23 + b"1" + b"\n"  # 31 characters, allowed: the body follows


def stream(rng, limit, budget):
    """A pipeline of requests, most well formed, sometimes one mutated line; at most budget body bytes."""
    parts = []
    for _ in range(rng.choice([1, 1, 1, 2, 3, 5, 12])):
        line, size = request_line(rng, limit)
        size = min(size, budget)
        line, _ = request_line(rng, limit, line.split(b" ")[0], size)
        if rng.random() < 0.12:
            line = mutate_line(rng, line, limit)
        parts.append(line + rng.randbytes(size))
        budget -= size
        if budget <= 0:
            break
    return b"".join(parts)


def split(rng, data, quick):
    """Chunks (delay before, bytes): split anywhere, now and then byte by byte."""
    cuts = sorted(set(rng.randrange(len(data) + 1) for _ in range(rng.choice([0, 1, 3, 10]))))
    if rng.random() < 0.2:  # the first line byte by byte
        cuts = sorted(set(cuts + list(range(1, min(len(data), 40)))))
    pieces, last = [], 0
    for c in cuts + [len(data)]:
        if c > last or not pieces:
            pieces.append((rng.uniform(0, quick) if pieces else 0.0, data[last:c]))
        last = c
    return pieces


# ---- clients -----------------------------------------------------------------------------------

class Client(threading.Thread):
    """One connection: sends its chunks on a thread of their own, then (mode) shuts its sending side
    ('close'), closes the socket ('abort'), or keeps silent ('hold'); reads lines until the service
    closes, from read_after seconds on."""

    def __init__(self, port, chunks, mode, read_after=0.0, bound=30.0, kind="good"):
        super().__init__(daemon=True)
        self.port, self.chunks, self.mode, self.read_after, self.bound = port, chunks, mode, read_after, bound
        self.kind, self.hup = kind, None
        self.sent = bytearray()
        self.times = []  # (time, bytes sent so far)
        self.lines, self.end, self.end_time, self.t0, self.sent_done = [], None, None, None, None
        self.error = None

    def run(self):
        self.t0 = time.monotonic()
        deadline = self.t0 + self.bound
        try:
            self.sock = socket.create_connection(("127.0.0.1", self.port), timeout=5)
            self.local = self.sock.getsockname()[1]
        except OSError as e:
            self.end, self.end_time = "refused: %s" % e, time.monotonic()
            return
        self.sock.settimeout(0.25)
        sender = threading.Thread(target=self.send, args=(deadline,), daemon=True)
        sender.start()
        # Not reading yet, but watching for the service's close (or its reset over unread requests).
        watch = select.poll()
        watch.register(self.sock, select.POLLRDHUP | select.POLLERR | select.POLLHUP)
        while time.monotonic() < self.t0 + self.read_after and self.hup is None:
            if watch.poll(50):
                self.hup = time.monotonic()
        buffer = b""
        while True:
            if time.monotonic() > deadline:
                self.end = "still open after %.0f s" % self.bound
                break
            try:
                data = self.sock.recv(65536)
            except socket.timeout:
                continue
            except OSError as e:
                self.end = "reset" if isinstance(e, ConnectionResetError) else "error %s" % e
                break
            if not data:
                self.end = "eof"
                break
            buffer += data
            while b"\n" in buffer:
                line, buffer = buffer.split(b"\n", 1)
                self.lines.append((time.monotonic(), line))
            if len(buffer) > 4096:
                self.end = "an answer without its LF"
                break
        self.end_time = self.hup or time.monotonic()
        if buffer:
            self.lines.append((self.end_time, buffer + b"<no LF>"))
        sender.join(2)
        try:
            self.sock.close()
        except OSError:
            pass

    def send(self, deadline):
        try:
            for delay, data in self.chunks:
                time.sleep(delay)
                view = memoryview(data)
                while view and time.monotonic() < deadline and self.end is None:
                    try:
                        n = self.sock.send(view)
                    except socket.timeout:
                        continue
                    self.sent += view[:n]
                    view = view[n:]
                    self.times.append((time.monotonic(), len(self.sent)))
                if view:
                    break
            self.sent_done = time.monotonic()
            if self.mode == "close":
                self.sock.shutdown(socket.SHUT_WR)
            elif self.mode == "abort":
                self.sock.shutdown(socket.SHUT_RDWR)
        except OSError as e:
            self.error = str(e)
            self.sent_done = time.monotonic()


class Probe(threading.Thread):
    """A new client that asks for the digest of 3 bytes again and again until it is answered."""

    def __init__(self, port, bound):
        super().__init__(daemon=True)
        self.port, self.bound, self.served, self.refusals, self.wrong = port, bound, None, 0, []

    def run(self):
        self.t0 = time.monotonic()
        expected = model(b"MD5 3\nabc", 1 << 20)[0][0]
        while self.served is None and time.monotonic() - self.t0 < self.bound:
            try:
                with socket.create_connection(("127.0.0.1", self.port), timeout=3) as s:
                    s.settimeout(3)
                    s.sendall(b"MD5 3\nabc")
                    line = s.makefile("rb").readline().rstrip(b"\n")
            except OSError:
                line = b"<error>"
            if line == expected:
                self.served = time.monotonic() - self.t0
            elif line in (BUSY, b"", b"<error>"):
                self.refusals += 1
                time.sleep(0.3)
            else:
                self.wrong.append(line)
                return


def check_client(c, cfg, stop, pressure):
    """The failures of one client: its answers against the model, its end against the deadlines."""
    idle = cfg["IdleTimeout"]
    answers, end = model(bytes(c.sent), cfg["MaxRequest"])
    got = [line for _, line in c.lines]
    fails = []
    if c.end is None or c.end.startswith("refused"):
        return [] if c.end and stop is not None else ["connection failed: %s" % c.end]
    k = 0
    while k < len(got) and k < len(answers) and got[k] == answers[k]:
        k += 1
    rest = got[k:]
    allowed = []
    if stop is not None:
        allowed.append(STOPPING)
    if pressure:
        allowed.append(BUSY)
    if rest and not (len(rest) == 1 and rest[0] in allowed):
        fails.append("answer %d is %r, the model says %r" % (k, rest[0][:80], answers[k][:80] if k < len(answers)
                                                            else "the end"))
    if c.end not in ("eof", "reset") and c.mode != "abort":
        fails.append("the connection ended with %s" % c.end)
    served_all = k == len(answers)
    stopped = stop is not None and c.end_time is not None and c.end_time > stop - 0.5
    if not served_all and not rest and c.mode in ("close", "hold") and not stopped and not pressure \
            and c.kind != "trickle" and not c.error:
        fails.append("%d of %d answers, then %s" % (k, len(answers), c.end))
    # Deadlines: the service must end a client that breaks one, and not much later.
    last = c.times[-1][0] if c.times else c.t0
    latest = None
    if c.mode == "hold" and end != "refused":
        latest = last + idle + len(c.sent) / RATE
        if c.end_time < c.t0 + idle - 0.3 and not rest and not stopped:
            fails.append("ended after %.2f s, before the idle time" % (c.end_time - c.t0))
    if c.kind == "trickle":
        latest = c.t0 + 2 * idle
    if c.mode == "close" and c.sent_done:
        latest = c.sent_done if latest is None else min(latest, c.sent_done)
    if stop is not None:
        latest = stop + STOP + 0.5 if latest is None else min(latest, stop + STOP + 0.5)
    if latest is not None and c.end_time > latest + TOL:
        fails.append("ended %.2f s after its deadline" % (c.end_time - latest))
    return fails


# ---- Wine and the service -------------------------------------------------------------------------

class Wine:
    def __init__(self, prefix):
        self.wine = os.environ.get("ZRNO_WINE64", "/usr/lib/wine/wine64")
        self.server = os.environ.get("ZRNO_WINESERVER", "/usr/lib/wine/wineserver")
        self.prefix = os.path.abspath(prefix)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d")
        self.ours = False

    def up(self):
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            os.makedirs(self.prefix, exist_ok=True)
            subprocess.run([self.wine, "wineboot", "--init"], env=self.env, timeout=600, **quiet)
            subprocess.run([self.server, "-w"], env=self.env, timeout=120, **quiet)
        if not streznik.tece(self.prefix):
            subprocess.run([self.server, "-p"], env=self.env, timeout=60, **quiet)
            self.ours = True

    def down(self):
        if self.ours:
            subprocess.run([self.server, "-k"], env=self.env, timeout=60, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def settings(self, folder, services):
        """Writes the settings of each service ZrnoOdtisFuzz_<name> (a name and its settings; integers are
        REG_DWORD, texts REG_SZ) over the defaults: port 0, English, the log <name>.log in folder."""
        text = ["Windows Registry Editor Version 5.00", ""]
        for name, cfg in services.items():
            cfg = {"Port": 0, "Language": "en", "LogFile": windows_path(os.path.join(folder, name + ".log")), **cfg}
            text.append("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\ZrnoOdtisFuzz_%s\\Parameters]"
                        % name)
            text += ['"%s"=dword:%08x' % (k, v) if isinstance(v, int) else
                     '"%s"="%s"' % (k, v.replace("\\", "\\\\")) for k, v in cfg.items()] + [""]
        path = os.path.join(folder, "settings.reg")
        with open(path, "w", encoding="utf-16") as f:  # with its BOM: the log names need UTF-16
            f.write("\r\n".join(text))
        subprocess.run([self.wine, "reg", "import", windows_path(path)], env=self.env, timeout=300,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


class Service:
    """odtis.exe --console, its port read from its first line; Enter stops it."""

    def __init__(self, wine, exe, name, log):
        if os.path.exists(log):
            os.remove(log)
        self.log, self.name = log, name
        self.p = subprocess.Popen([wine.wine, exe, "--console", "ZrnoOdtisFuzz_" + name], env=wine.env,
                                  cwd=os.path.dirname(exe), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE)
        self.out, self.err = queue.Queue(), []
        threading.Thread(target=lambda: [self.out.put(x) for x in self.p.stdout], daemon=True).start()
        threading.Thread(target=lambda: self.err.extend(self.p.stderr), daemon=True).start()
        try:
            first = self.out.get(timeout=120)
        except queue.Empty:
            first = b""
        m = re.search(rb"on 127\.0\.0\.1:(\d+)", first)
        if not m:
            self.p.kill()
            raise RuntimeError("odtis did not start: %r %r" % (first, b"".join(self.err)))
        self.port = int(m.group(1))

    def stats(self):
        """Threads, descriptors (sockets and files: what Wine's handles to them hold) and resident KiB."""
        status = open("/proc/%d/status" % self.p.pid).read()
        threads = int(re.search(r"Threads:\s+(\d+)", status).group(1))
        rss = int(re.search(r"VmRSS:\s+(\d+)", status).group(1))
        return threads, len(os.listdir("/proc/%d/fd" % self.p.pid)), rss

    def stop(self, bound=30.0):
        """Enter; the seconds until the process ended (None when it did not within bound, then killed)."""
        t = time.monotonic()
        try:
            self.p.stdin.write(b"\n")
            self.p.stdin.flush()
        except OSError:
            pass
        try:
            self.p.wait(bound)
            return time.monotonic() - t
        except subprocess.TimeoutExpired:
            self.p.kill()
            self.p.wait()
            return None

    def log_lines(self):
        try:
            return open(self.log, "rb").read().decode("cp1250").split("\n")
        except OSError:
            return []


# ---- runs ------------------------------------------------------------------------------------------

class Run:
    def __init__(self, args):
        self.args = args
        self.failures, self.counts = [], {}
        self.max_stop, self.max_probe = 0.0, 0.0

    def count(self, key, n=1):
        self.counts[key] = self.counts.get(key, 0) + n

    def fail(self, index, what):
        rerun = "python3 %s --build %s --seed %d --only %d" % (os.path.relpath(__file__), self.args.build,
                                                                self.args.seed, index)
        if self.args.exe:
            rerun += " --exe " + self.args.exe
        self.failures.append("process %d: %s\n    replay: %s" % (index, what, rerun))
        print("FAIL process %d: %s" % (index, what), flush=True)

    def clients(self, rng, cfg, port, n):
        """n clients of random kinds; budget keeps a round to a few MB."""
        idle, limit = cfg["IdleTimeout"], cfg["MaxRequest"]
        out = []
        for _ in range(n):
            kind = rng.choice(["good", "good", "good", "cut", "hold", "noread", "trickle", "abort"])
            data = stream(rng, limit, rng.choice([1 << 12, 1 << 16, 1 << 20, 3 << 20]))
            quick = rng.choice([0.0, 0.001, 0.01]) if len(data) < 1 << 16 else 0.0
            if kind == "trickle":  # a request that cannot end before the deadlines
                data = request_line(rng, limit, size=rng.randrange(1000, limit + 1))[0] + rng.randbytes(200)
                step = rng.choice([1, 2, 3])
                chunks = [(rng.uniform(0.1, 0.6), data[i:i + step]) for i in range(0, len(data), step)]
                out.append(Client(port, chunks, "hold", bound=2 * idle + STOP + 10, kind="trickle"))
            elif kind in ("cut", "hold", "abort"):
                data = data[:rng.randrange(len(data) + 1)]
                mode = {"cut": "close", "hold": "hold", "abort": "abort"}[kind]
                out.append(Client(port, split(rng, data, quick), mode, bound=2 * idle + STOP + 10 + len(data) / RATE,
                                  kind=kind))
            else:
                out.append(Client(port, split(rng, data, quick), "close",
                                  read_after=rng.uniform(0, idle / 3) if kind == "noread" else 0.0,
                                  bound=idle + STOP + 30, kind=kind))
        return out

    def process(self, index, name=None, cases=None):
        """One service process: a few rounds of clients, the last one stopped in the middle."""
        rng = random.Random(self.args.seed * 1000003 + index)
        if name is None:
            names = ["small", "one", "wide"] + (["default"] if self.args.seconds >= 300 else [])
            name = rng.choice(names)
        cfg = CONFIGS[name]
        try:
            svc = Service(self.wine, self.exe, name, os.path.join(self.folder, name + ".log"))
        except RuntimeError as e:
            return self.fail(index, str(e))
        self.count("processes")
        base = svc.stats()
        samples = []
        # Now and then a longer life, so that a leak per connection has room to show.
        rounds = cases or [None] * (8 if rng.random() < 0.25 else rng.randint(1, 3))
        answered = clients = 0
        for r, case in enumerate(rounds):
            last = r == len(rounds) - 1
            stop_after = rng.uniform(0.1, 2.0) if last and case is None else (case or {}).get("stop")
            if case is None:
                pressure = rng.random() < 0.3
                n = rng.randint(1, cfg["Threads"] + (3 if pressure else 0))
                if not pressure:
                    n = min(n, max(1, cfg["Threads"] - 1))
                group = self.clients(rng, cfg, svc.port, n)
                probe = Probe(svc.port, cfg["IdleTimeout"] + 3 + TOL) if pressure and not last else None
                pressure = pressure or n >= cfg["Threads"]
            else:
                group, probe, pressure = case["clients"](svc.port), None, case.get("pressure", False)
                if case.get("probe"):
                    probe = Probe(svc.port, cfg["IdleTimeout"] + 3 + TOL)
            clients += len(group)
            for c in group:
                c.start()
            if probe:
                time.sleep(0.3)
                probe.start()
            stop, stop_time = None, None
            if stop_after is not None:
                time.sleep(stop_after)
                stop = time.monotonic()
                stop_time = svc.stop()
            for c in group:
                c.join(c.bound + 5)
            if probe:
                probe.join(probe.bound + 10)
            self.count("rounds")
            for c in group:
                self.count("clients " + c.kind)
                self.count("bytes sent", len(c.sent))
                got = sum(1 for _, line in c.lines if line.startswith(b"OK "))
                answered += got
                self.count("answers", got)
                for f in check_client(c, cfg, stop, pressure):
                    self.fail(index, "%s client (%s, %d bytes sent, %s): %s; first bytes %r" %
                              (c.kind, name, len(c.sent), c.end, f, bytes(c.sent[:48])))
            if probe:
                self.count("probes")
                if probe.wrong:
                    self.fail(index, "the probe got %r" % probe.wrong)
                elif probe.served is None:
                    self.fail(index, "a new client was not served within %.1f s (IdleTimeout %d s), %d refusals"
                              % (probe.bound, cfg["IdleTimeout"], probe.refusals))
                else:
                    self.max_probe = max(self.max_probe, probe.served)
            if case and case.get("expect"):
                f = case["expect"](group, stop)
                if f:
                    self.fail(index, f)
            if stop is not None:
                if stop_time is None:
                    self.fail(index, "the stop did not finish within 30 s (%s)" % name)
                    return
                self.max_stop = max(self.max_stop, stop_time)
                if stop_time > STOP + 1 + TOL:
                    self.fail(index, "the stop took %.2f s" % stop_time)
                break
            time.sleep(0.5)  # the threads give their connections up
            samples.append(svc.stats())
        if svc.p.poll() is None:
            t = svc.stop()
            if t is None:
                self.fail(index, "the service did not stop within 30 s")
        self.check_process(index, svc, cfg, base, samples, answered)
        for pattern, n in (rounds[-1] or {}).get("log", {}).items():
            found = sum(1 for x in svc.log_lines() if re.search(pattern, x))
            if found != n:
                self.fail(index, "the log holds %d lines with %r, not %d" % (found, pattern, n))
        print("process %d (%s): %d rounds, %d clients, %d answers, stopped %s" % (
            index, name, r + 1, clients, answered, "in the middle, in %.2f s" % stop_time if stop_time is not None
            else "after them"),
            flush=True)

    def check_process(self, index, svc, cfg, base, samples, answered):
        err = b"".join(svc.err).decode("cp1250", "replace").strip()
        if err or svc.p.returncode != 0:
            self.fail(index, "exit %s, standard error %r" % (svc.p.returncode, err[:300]))
        if samples:
            # Wine gives each thread descriptors of its own (4 in Wine 8): the pool's growth is not a leak.
            per_thread = 4
            first = samples[0]
            for threads, fds, rss in samples[1:]:
                if fds - per_thread * threads > first[1] - per_thread * first[0] + 4 or \
                        threads > base[0] + cfg["Threads"] + 4 or rss > first[2] + 65536:
                    self.fail(index, "grows: (threads, descriptors, KiB) %s at start, then %s" % (base, samples))
                    break
            self.count("quiet samples", len(samples))
        lines = svc.log_lines()
        form = re.compile(r"\d{4}/\d\d/\d\d\t\d\d:\d\d:\d\d\t\d\tZrnoOdtisFuzz_\w+: .*\r?$")
        bad = [x for x in lines[:-1] if not form.fullmatch(x)]
        if lines and lines[-1] != "" or bad:
            self.fail(index, "malformed log lines %r" % (bad[:3] or lines[-1:]))
        done = [re.search(r"stopped after (\d+) requests", x) for x in lines[-3:]]
        done = [int(m.group(1)) for m in done if m]
        logged = sum(1 for x in lines if re.search(r": \d+ bytes, (MD5|SHA-256) [0-9a-f]+, \d+ ms", x))
        if not done or done[-1] != logged or logged < answered:
            self.fail(index, "the log counts %s requests and holds %d, clients were answered %d" %
                      (done, logged, answered))

    def known(self):
        """The faults found by hand, as cases: (configuration, rounds)."""
        def trickle(port, head, every, tail=b"", bound=20):
            data = tail + bytes(int(bound / every) + 2)
            return Client(port, [(0, head)] + [(every, data[i:i + 1]) for i in range(len(data))], "hold",
                          bound=bound, kind="trickle")

        def refused_at_deadline(clients, stop):
            c = clients[0]
            if [line for _, line in c.lines] != [STOPPING] or c.end_time - stop < STOP - 0.5:
                return "a request in flight was not refused at the stop's deadline: %r after %.2f s" % (
                    c.lines, c.end_time - stop)

        def alone(lines):
            return lambda p: [Client(p, [(0, line + b"\n")], "close", bound=20) for line in lines]

        return [
            # Faulty requests, each on a connection of its own (two rounds, so that the threads suffice):
            # 12 malformed lines (a zero byte in one, 32 characters before the CR LF in another), 3 over the
            # limit and one that goes away within its body, each named in the log.
            ("wide", [dict(clients=alone(FAULTS[:8])), dict(clients=alone(FAULTS[8:]), log={
                "malformed request line, connection closed": 12,
                "request of 8388609 bytes refused, the limit is 8388608": 2,
                "request of 99999999999999999999999 bytes refused": 1,
                "connection lost after 11 of 1000 bytes": 1})]),
            # A silent client within a body is dropped after the idle time, not twice that; a request line
            # trickled a byte at a time is dropped at the idle time however long it keeps coming.
            ("small", [dict(clients=lambda p: [
                Client(p, [(0, b"MD5 10\n1")], "hold", bound=20, kind="hold"),
                trickle(p, b"M", 0.3, b"D5 123456789012345678901234")])]),
            # One thread: a body trickled a byte a second does not keep a new client out.
            ("one", [dict(probe=True, pressure=True, clients=lambda p: [trickle(p, b"MD5 60000\n", 1.0)])]),
            # A stop finishes in time while a client trickles a body a byte every 100 ms, which is refused
            # at the stop's deadline.
            ("default", [dict(stop=1.0, expect=refused_at_deadline,
                              clients=lambda p: [trickle(p, b"MD5 1000000\n", 0.1)])]),
            # Answers sent before a refusal reach a client that goes on sending: the service does not
            # close over unread bytes, whose reset would destroy them.
            ("wide", [dict(clients=lambda p: [Client(p, [(0, (b"MD5 65536\n" + bytes(65536)) * 8 + b"HELLO\n" +
                                                          bytes(1 << 20))], "close", bound=30)
                                              for _ in range(12)])]),
            # Long runs only: at the default settings, 64 clients trickling a body a byte every 5 s do not
            # keep a new client out for longer than the idle time and a few seconds.
            ("default", [dict(probe=True, pressure=True, clients=lambda p: [
                trickle(p, b"MD5 1000000\n", 5.0, bound=45) for _ in range(64)])]),
        ]

    def start_cases(self):
        """Services whose start fails or finds its log by a UTF-16 name: name -> (settings, exit code, a piece
        of standard error)."""
        base, cases = dict(CONFIGS["small"]), {}
        for i, (value, reason) in enumerate(BAD_SETTINGS):
            cases["bad%d" % i] = (dict(base, **{reason.split()[0]: value}), 1, "setting %s in HKLM\\SYSTEM" % reason)
        for i, log in enumerate(["\u010d.log", "\u65e5\u672c.log"]):
            cases["log%d" % i] = (dict(base, LogFile=windows_path(os.path.join(self.folder, log))), 0, "")
        log = "Z:\\no\\such\\folder\\x.log"
        cases["log2"] = (dict(base, LogFile=log), 1, ": the log file %s: " % log)
        return cases

    def starts(self):
        """Each start case in the console with Enter on its input: a bad setting stops the start with exit 1
        and its reason on standard error, and so does a log file that cannot be opened, with the system's;
        a log whose name the code page lacks is created by that name, not a look-alike."""
        for name, (cfg, code, piece) in self.start_cases().items():
            p = subprocess.run([self.wine.wine, self.exe, "--console", "ZrnoOdtisFuzz_" + name], input=b"\n",
                               env=self.wine.env, cwd=os.path.dirname(self.exe), capture_output=True, timeout=120)
            err = p.stderr.decode("cp1250", "replace")
            log = str(cfg.get("LogFile"))[2:].replace("\\", "/")
            created = code == 0 and os.path.isfile(log) and (os.remove(log) or True)
            self.count("starts")
            if p.returncode != code or piece not in err or (code == 0 and not created):
                self.failures.append("the start of ZrnoOdtisFuzz_%s (%s): exit %d, %r expected; standard error "
                                     "%r, log %s" % (name, cfg, p.returncode, piece, err[:300],
                                                     "created" if created else "missing"))
                print("FAIL " + self.failures[-1], flush=True)

    def main(self):
        args = self.args
        build = os.path.abspath(args.build)
        self.exe = os.path.abspath(args.exe or os.path.join(build, "bin", "odtis.exe"))
        self.folder = os.path.join(build, "odtis-fuzz")
        os.makedirs(self.folder, exist_ok=True)
        self.wine = Wine(args.prefix or os.path.join(build, "odtisprefix"))
        print("odtis fuzz: seed %d, %d s, %s" % (args.seed, args.seconds, self.exe), flush=True)
        self.wine.up()
        try:
            self.wine.settings(self.folder, dict(CONFIGS, **{n: c[0] for n, c in self.start_cases().items()}))
            if args.only is None:
                self.starts()
            start = time.monotonic()
            known = self.known()
            if args.only is not None:
                if args.only < len(known):
                    self.process(args.only, known[args.only][0], known[args.only][1])
                else:
                    self.process(args.only)
            else:
                for i, (name, rounds) in enumerate(known):
                    if i != len(known) - 1 or args.seconds >= 300:  # the last is for long runs
                        self.process(i, name, rounds)
                i = len(known)
                while i == len(known) or time.monotonic() - start < args.seconds:  # one at least
                    self.process(i)
                    i += 1
        finally:
            self.wine.down()
        print("tried: " + ", ".join("%s %d" % kv for kv in sorted(self.counts.items())))
        print("longest stop %.2f s; a new client under pressure served after at most %.2f s" %
              (self.max_stop, self.max_probe))
        for f in self.failures:
            print("FAILURE " + f)
        print("%d failures" % len(self.failures))
        return 1 if self.failures else 0


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--build", required=True, help="the x86_64 build folder")
    p.add_argument("--seconds", type=float, default=60)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--only", type=int, help="replay this process alone")
    p.add_argument("--exe", help="another odtis.exe to try (its language modules beside it)")
    p.add_argument("--prefix", help="the Wine prefix (default: the build's odtisprefix)")
    return Run(p.parse_args()).main()


if __name__ == "__main__":
    sys.exit(main())
