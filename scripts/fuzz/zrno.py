#!/usr/bin/env python3
"""Fuzzer of the zrno tool: each command run under the build's Wine prefix with generated and mutated
arguments and inputs, checked against outside oracles (coreutils base64, md5sum, sha256sum; Python's
hashlib, zlib, base64, codecs and html.entities) and against the exit-code rule:
  0 done (nothing on standard error); 1 the work failed (a message on standard error); 2 bad usage
  (a message with the usage on standard error, nothing on standard output); -h or --help before a
  "--" prints the usage on standard output with exit 0; output that cannot be written is exit 1.

    python3 scripts/fuzz/zrno.py --build build/x86_64 --seconds N --seed S

Prints what it tried and every failure with a command that reproduces it (run from the scratch
folder it names); exits 1 when anything failed.
"""
import argparse
import base64
import binascii
import hashlib
import html.entities
import os
import random
import re
import shutil
import streznik
import subprocess
import sys
import time
import zlib
import codecs

# Windows maps the bytes that its single-byte code pages leave undefined (0x81 in 1250, ...) to the C1
# controls of the same value, where Python's codecs refuse them: the system's table is the oracle.
def _c1(e):
    if isinstance(e, UnicodeDecodeError):
        return e.object[e.start:e.end].decode("latin-1"), e.end
    c = ord(e.object[e.start])
    if 0x80 <= c < 0xA0:
        try:
            bytes([c]).decode(e.encoding)
        except UnicodeDecodeError:
            return bytes([c]), e.start + 1
    raise e


codecs.register_error("c1", _c1)

WINE64 = os.environ.get("ZRNO_WINE64", "/usr/lib/wine/wine64")
WINESERVER = os.environ.get("ZRNO_WINESERVER", "/usr/lib/wine/wineserver")
BASE64_WIDTHS = [4, 8, 76, 1000]
FULL_OUTPUT = [["version"], ["help"], ["date"], ["date", "211813444800000"], ["find", "*.bin"], ["digest", "big.bin"],
               ["digest", "--sha256", "big.bin"], ["base64", "big.bin"], ["cat", "big.bin"], ["sgml", "encode"],
               ["sgml", "decode"], ["base64", "-h"], ["reg", "--help"], ["digest", "-h"]]
WS = b" \t\r\n\v\f"
# Known refusals and answers: (arguments, standard input, exit code, standard output exactly or None, a
# piece of standard output or error). The exit-code rule holds for each too.
KEY = "HKCU\\Software\\ZrnoFuzz\\Seed"
SEEDS = [(["version"], b"", 0, None, "Zrno"), (["--help"], b"", 0, None, "usage: zrno COMMAND"), (["-h"], b"", 0, None, "usage: zrno COMMAND"),
         ([], b"", 2, b"", "usage: zrno COMMAND"), (["no-such-command"], b"", 2, b"", "usage: zrno COMMAND"),
         (["cat", "missing.txt"], b"", 1, None, "missing.txt"), (["find", "*.none"], b"", 1, None, "nothing matches"),
         (["base64", "-d"], b"QUJ=", 1, b"", "bits set after the data of the last group at offset 3"),
         (["date", "199222329600000"], b"", 1, None, "no long form"),
         (["date", "185542587100800000"], b"", 2, b"", "outside the calendar range"),
         (["sgml", "decode"], b"Tom & Jerry; friends", 1, b"", "does not begin a reference at offset 4"),
         (["sgml", "decode"], b"&foo;", 1, b"", "unknown entity name at offset 0"),
         (["sgml", "decode"], b"&#x10041;", 1, b"", "(U+10041) that the code page lacks at offset 0"),
         (["sgml", "decode", "--codepage", "99999"], b"", 2, b"", "code page not available on this system: 99999"),
         (["log", "-x", "l.log", "t"], b"", 2, b"", "unknown option '-x'"),
         (["reg", "set", KEY + "\\" + "d" * 256, "ime", "x"], b"", 1, b"", "at most 255 characters")] + \
        [(["log", "-p", p, "l.log", "t"], b"", 2, b"", "not a priority") for p in ("bogus", "99", "-5")] + \
        [(a.split(), b"", 2, b"", "usage: zrno") for a in (
            "cat", "find", "digest --md4", "base64 -w x", "date 0", "date 1 2", "log -p", "reg", "reg query",
            "reg query HKXY\\Software", "reg set HKCU\\Software\\X ime", "reg delete HKCU", "reg move HKCU\\x")] + \
        [(["reg", "set", "-t", "REG_" + t, KEY, "v", v], b"", 1, b"", "nothing written") for t, v in (
            ("DWORD", "4294967296"), ("DWORD", "99999999999999999999"), ("DWORD", "-1"), ("DWORD", "010"),
            ("DWORD", " 5"), ("DWORD", "0x"), ("DWORD", "abc"), ("BINARY", "-1"), ("BINARY", "+f"),
            ("BINARY", " f"), ("BINARY", "abc"), ("MULTI_SZ", "a\\0\\0b"), ("MULTI_SZ", "a\\0"))] + \
        [(["reg", "query", KEY, "v"], b"", 1, None, "does not exist")] + \
        [(["reg", "set"] + a.split("|"), b"", 0, b"", "") for a in (
            KEY + "|ime|dve besedi", "-t|REG_DWORD|" + KEY + "\\pod|stevilo|0x2A", "-t|REG_MULTI_SZ|" + KEY + "|l|a\\0bc",
            "-t|REG_DWORD|" + KEY + "|d|4294967295", "-t|REG_DWORD|" + KEY + "|x|0XfFfFfFfF",
            "-t|REG_BINARY|" + KEY + "|b|00fF10")] + \
        [(["reg", "query", KEY] + v, b"", 0, None, piece) for v, piece in (
            ([], "REG_SZ         dve besedi\r\n"), ([], "REG_MULTI_SZ   a\\0bc\r\n"), ([], KEY + "\\pod\r\n"),
            (["d"], "REG_DWORD      0xffffffff (4294967295)"), (["x"], "REG_DWORD      0xffffffff (4294967295)"),
            (["b"], "REG_BINARY     00ff10\r\n"))] + \
        [(["reg", "query", "HKEY_CURRENT_USER\\Software\\ZrnoFuzz\\Seed\\pod", "stevilo"], b"", 0, None,
          "REG_DWORD      0x0000002a (42)"), (["reg", "delete", KEY, "ime"], b"", 0, b"", ""),
         (["reg", "query", KEY, "ime"], b"", 1, None, "value ime: does not exist"), (["reg", "delete", KEY], b"", 0, b"", ""),
         (["reg", "query", KEY], b"", 1, None, "does not exist (code 0x80000045)"), (["reg", "delete", KEY], b"", 1, None, ""),
         (["log", "-p", "warning", "-s", "Zaloga", "s.log", "disk", "almost", "full"], b"", 0, b"", ""),
         (["log", "-p", "7", "--", "s.log", "-x"], b"", 0, b"", ""),
         (["cat", "s.log"], b"", 0, None, "\t4\tZaloga: disk almost full\n"),
         (["cat", "--", "-", "s.log"], b"line\r\n", 0, None, "line\r\n20"), (["cat", "s.log"], b"", 0, None, "\t7\tzrno: -x\n"),
         (["base64", "-d"], b"Zm9v\r\nYmE=\n", 0, b"fooba", ""),
         (["base64", "-d"], b"Zm9v!YmFy", 1, b"foo", "invalid character 0x21 at offset 4"),
         (["base64", "-d"], b"QUJD====", 1, b"ABC", "misplaced '=' at offset 4"),
         (["base64", "-d"], b"QQ==QQ==", 1, b"A", "data after the padding at offset 4"),
         (["base64", "-d"], b"QQ=A", 1, b"", "data after '=' within a group at offset 3"),
         (["base64", "-d"], b"QU==", 1, b"", "bits set after the data of the last group at offset 2"),
         (["base64", "-d"], b"QUI= QQ==", 1, b"AB", "data after the padding at offset 5"),
         (["base64", "-d"], b"Zm9vY", 1, b"foo", "the input ends within a group"),
         (["digest", "--crc32", "-", "manjka.bin"], b"123456789", 1, b"cbf43926  -\n", "manjka.bin: no such file"),
         (["date", "211813444800000"], b"", 0, None, "UTC:     1999-12-31 12:00:00.000 Friday\r\n"),
         (["date", "211813444800000"], b"", 0, None, "long:    Friday, December 31, 1999 12:00:00"),
         (["date", "1410977750400000"], b"", 1, b"UTC:     40000-01-02 00:00:00.000 Sunday\r\nvalue:   1410977750400000\r\n"
          b"JDN:     16330761 + 0 ms\r\nweekday: 6 (Sunday; 0 = Monday)\r\n",
          "no local time: the system converts times from 1601 to the year 30828 only"),
         (["date", "185542587100799999"], b"", 1, b"UTC:     5874898-06-02 23:59:59.999 Monday\r\n"
          b"value:   185542587100799999\r\nJDN:     2147483646 + 86399999 ms\r\nweekday: 0 (Monday; 0 = Monday)\r\n",
          "no long form: the C runtime formats the years 1900 to 9999 only")]


class Fuzzer:
    def __init__(self, build, seed):
        self.build = os.path.abspath(build)
        self.exe = os.path.join(self.build, "bin", "zrno.exe")
        self.dir = os.path.join(self.build, "fuzz-zrno-%d" % seed)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        self.env = dict(os.environ, WINEPREFIX=os.path.join(self.build, "wineprefix"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d")
        self.rng = random.Random(seed)
        self.seed = seed
        self.runs = 0
        self.tried = {}
        self.failures = []
        self.acp = None

    # ---- running ----

    def run(self, args, stdin=b"", stdout_path=None):
        """Runs zrno.exe with args (a list) in the scratch folder; returns (code, stdout, stderr)."""
        self.runs += 1
        cmd = [WINE64, self.exe] + args
        out = open(stdout_path, "wb") if stdout_path else subprocess.PIPE
        try:
            p = subprocess.run(cmd, input=stdin, stdout=out, stderr=subprocess.PIPE, cwd=self.dir,
                               env=self.env, timeout=120)
        except subprocess.TimeoutExpired as e:  # a hang is a finding too, reported by the caller
            return -1, e.stdout or b"", b"(no exit within 120 s) " + (e.stderr or b"")
        finally:
            if stdout_path:
                out.close()
        return p.returncode, p.stdout or b"", p.stderr

    def repro(self, args, stdin=b"", note=""):
        name = "in%d.bin" % len(self.failures)
        with open(os.path.join(self.dir, name), "wb") as f:
            f.write(stdin)
        q = " ".join("'" + a.replace("'", "'\\''") + "'" for a in args)
        return "cd %s && WINEPREFIX=%s %s %s %s < %s%s" % (
            self.dir, self.env["WINEPREFIX"], WINE64, self.exe, q, name, note)

    def fail(self, what, args, stdin=b"", got=None, note=""):
        msg = "FAIL %s\n  reproduce: %s" % (what, self.repro(args, stdin, note))
        if got is not None:
            code, out, err = got
            msg += "\n  exit %d, stdout %r, stderr %r" % (code, out[:300], err[:300])
        self.failures.append(msg)
        print(msg, flush=True)

    def count(self, kind):
        self.tried[kind] = self.tried.get(kind, 0) + 1

    def check_rule(self, args, got, stdin=b""):
        """The exit-code rule alone; True when it holds."""
        code, out, err = got
        ok = (code == 0 and not err) or (code == 1 and err) or \
             (code == 2 and not out and b"usage" in err) or \
             (args[:1] == ["service"] and code in (3, 4) and err)
        if not ok:
            self.fail("exit-code rule", args, stdin, got)
        return ok

    # ---- oracles ----

    def data(self, big=False):
        r = self.rng
        n = r.randrange(0, 1 << 20) if big else r.choice([r.randrange(0, 1001), r.randrange(0, 200)])
        kind = r.randrange(3)
        if kind == 1:
            return bytes(r.choice(b"\x00\xff=A\n") for _ in range(n))
        return r.randbytes(n)

    def base64_encode(self, size=None, width=None, big=False):
        r = self.rng
        d = r.randbytes(size) if size is not None else self.data(big)
        w = width if width is not None else r.choice(BASE64_WIDTHS + [0, r.randrange(1, 100)])
        args = ["base64", "-w", str(w)] if w != 76 or r.random() < 0.5 else ["base64"]
        want = subprocess.run(["base64", "-w", str(w)], input=d, stdout=subprocess.PIPE, check=True).stdout
        got = self.run(args, d)
        self.count("base64 encode")
        if got != (0, want, b""):
            self.fail("base64 -w %d of %d bytes differs from coreutils" % (w, len(d)), args, d, got)

    def base64_decode(self):
        r = self.rng
        d = self.data()
        t = bytearray(subprocess.run(["base64", "-w", str(r.choice([0, 4, 76]))], input=d,
                                     stdout=subprocess.PIPE, check=True).stdout)
        for _ in range(r.choice([0, 0, 1, 2, 3])):  # insert, delete or replace a character
            i = r.randrange(len(t) + 1)
            c = r.choice(b"AQgw+/=  \n\r=!-_\x00\xe8")
            op = r.randrange(3)
            if op == 0:
                t[i:i] = bytes([c])
            elif i < len(t):
                t[i:i + 1] = b"" if op == 1 else bytes([c])
        t = bytes(t)
        got = self.run(["base64", "-d"], t)
        self.count("base64 -d")
        strip = bytes(c for c in t if c not in WS)
        try:
            want = base64.b64decode(strip, validate=True)
            canonical = base64.b64encode(want) == strip
        except (binascii.Error, ValueError):
            canonical = False
        if canonical:
            if got != (0, want, b""):
                self.fail("base64 -d of strict Base64", ["base64", "-d"], t, got)
            return
        m = re.search(rb"at offset (\d+)", got[2])
        if got[0] != 1 or not m:
            self.fail("base64 -d accepted text Python's strict decoder refuses", ["base64", "-d"], t, got)
            return
        # Standard output: the bytes of the whole groups before the fault, nothing more.
        before = bytes(c for c in t[:int(m.group(1))] if c not in WS)
        groups = before[:len(before) // 4 * 4]
        try:
            part = base64.b64decode(groups, validate=True)
        except (binascii.Error, ValueError):
            part = None
        if part is not None and not part.startswith(got[1]) and got[1] != part:
            self.fail("base64 -d wrote more than the whole groups before the fault", ["base64", "-d"], t, got)

    def digest(self):
        r = self.rng
        algo = r.choice(["--md5", "--sha256", "--sha1", "--crc32", ""])
        d = self.data(big=r.random() < 0.05)
        # Names outside the ANSI code page must reach the system whole (never c.txt for č.txt) and the
        # user marked.
        fn = r.choice(["d%d.bin", "\u010d%d.bin", "\u65e5\u672c%d.bin"]) % r.randrange(4)
        with open(os.path.join(self.dir, fn), "wb") as f:
            f.write(d)
        if algo in ("--md5", "", "--sha256"):  # coreutils for the ones it has
            tool = "sha256sum" if algo == "--sha256" else "md5sum"
            h = subprocess.run([tool, fn], cwd=self.dir, stdout=subprocess.PIPE, check=True).stdout.split()[0]
            h = h.decode()
        elif algo == "--sha1":
            h = hashlib.sha1(d).hexdigest()
        else:
            h = "%08x" % zlib.crc32(d)
        via_stdin = r.random() < 0.5
        args = ["digest"] + ([algo] if algo else []) + (["-"] if via_stdin else [fn])
        if via_stdin and r.random() < 0.5:
            args.pop()  # no file at all: standard input
        missing = r.random() < 0.2
        if missing:
            args.append("missing%d.bin" % r.randrange(9))
            if args[-2] == "digest" or args[-2].startswith("--"):
                args.insert(-1, "-")
        acp = self.code_page()
        try:
            shown = fn.encode(acp)
        except UnicodeEncodeError:
            shown = fn.encode(acp, "replace") + b"   (the name is not in code page %s)" % acp[2:].encode()
        want = h.encode() + b"  " + (b"-" if via_stdin else shown) + b"\n"
        got = self.run(args, d if via_stdin else b"")
        self.count("digest")
        if got[1] != want or got[0] != (1 if missing else 0) or (missing and b"no such file" not in got[2]):
            self.fail("digest %s of %d bytes" % (algo or "(md5)", len(d)), args, d if via_stdin else b"", got)

    # ---- SGML ----

    def code_page(self):
        """The ANSI code page of the prefix, as Python's codec name."""
        if not self.acp:
            os.makedirs(os.path.join(self.dir, "acp"), exist_ok=True)
            open(os.path.join(self.dir, "acp", "\u65e5.txt"), "wb").close()
            m = re.search(rb"code page (\d+)\)", self.run(["find", "acp\\*"])[1])
            self.acp = "cp%s" % (m.group(1).decode() if m else "1252")
        return self.acp

    def sgml_piece(self, cp):
        """One piece of SGML text: (bytes, the character it stands for or None, valid)."""
        r = self.rng
        k = r.randrange(10)
        if k < 3:
            s = "".join(r.choice("ab ;#x.<>\"'\\\n") for _ in range(r.randrange(1, 6)))
            return s.encode("ascii"), s, True
        if k < 5:
            name = r.choice(sorted(html.entities.name2codepoint))
            return ("&%s;" % name).encode(), chr(html.entities.name2codepoint[name]), True
        if k < 8:
            v = r.choice([r.randrange(1, 0x80), r.randrange(0x80, 0x800), r.randrange(0x800, 0x10000),
                          r.randrange(0x10000, 0x110000), 0, 0xD800, 0xDFFF, 0x110000, 2 ** 32 + 65])
            body = r.choice(["%d", "x%x", "X%X", "x%X", "%05d"]) % v
            ok = 0 < v <= 0x10FFFF and not 0xD800 <= v <= 0xDFFF
            return ("&#%s;" % body).encode(), chr(v) if ok else None, ok
        bad = r.choice(["&", "& ", "&;", "&#;", "&#x;", "&#-65;", "&# 65;", "&#+65;", "&#65", "&#65abc;",
                        "&amp", "&zqx;", "&AMP;", "&#x1g;", "&amp b;", "&#x41 ;"])
        return bad.encode(), None, False

    def sgml_decode(self):
        r = self.rng
        cp = r.choice([1250, 1252, 65001, 932])
        codec = {1250: "cp1250", 1252: "cp1252", 65001: "utf-8", 932: "cp932"}[cp]
        pieces = [self.sgml_piece(cp) for _ in range(r.randrange(0, 12))]
        t = b"".join(p[0] for p in pieces)
        args = ["sgml", "decode", "--codepage", str(cp)]
        got = self.run(args, t)
        self.count("sgml decode")
        want, ok = b"", all(p[2] for p in pieces)
        if ok:
            for b, ch, _ in pieces:
                if b.startswith(b"&"):
                    try:
                        want += ch.encode(codec, "c1" if cp in (1250, 1252) else "strict")
                    except UnicodeEncodeError:
                        ok = False  # the code page lacks it: refused, not replaced
                else:
                    want += b
        if ok and got != (0, want, b""):
            self.fail("sgml decode of well-formed text", args, t, got)
        elif not ok and (got[0] != 1 or got[1] or b"at offset" not in got[2]):
            self.fail("sgml decode did not refuse malformed text with its offset", args, t, got)

    def sgml_encode(self):
        r = self.rng
        cp = r.choice([1250, 1252, 65001, 932])
        codec = {1250: "cp1250", 1252: "cp1252", 65001: "utf-8", 932: "cp932"}[cp]
        chars = []
        for _ in range(r.randrange(0, 20)):
            c = r.choice(["a", "&", "<", ">", '"', "'", "\\", "\n", "\x00",
                          chr(r.choice(list(html.entities.name2codepoint.values()))),
                          chr(r.randrange(0x80, 0x3000)), chr(r.randrange(0x10000, 0x20000))])
            try:
                c.encode(codec)
                chars.append(c)
            except UnicodeEncodeError:
                pass
        text = "".join(chars)
        t = text.encode(codec)
        if r.random() < 0.15:  # bytes that may not be text of the code page
            t = bytearray(t)
            t[r.randrange(len(t) + 1):0] = bytes([r.randrange(0x80, 0x100)])
            t = bytes(t)
        mode = r.choice([0, 1, 2, 4, 6])
        args = ["sgml", "encode", "--mode", str(mode), "--codepage", str(cp)]
        got = self.run(args, t)
        self.count("sgml encode")
        try:
            text = t.decode(codec, "c1" if cp in (1250, 1252) else "strict")
        except UnicodeDecodeError:
            if got[0] != 1 or got[1] or b"at offset" not in got[2]:
                self.fail("sgml encode did not refuse bytes that are not text of code page %d" % cp,
                          args, t, got)
            return
        if got[0] != 0 or got[2] or any(b >= 0x80 for b in got[1]):
            self.fail("sgml encode of text in code page %d" % cp, args, t, got)
            return
        # Every reference it wrote means what an outside table says (numbers always, names where
        # HTML 4's table has them), and the tool's own decoder gives the text back.
        def ref(m):
            name = m.group(1).decode()
            if name.startswith("#x"):
                return chr(int(name[2:], 16))
            known = html.entities.name2codepoint
            return chr(known[name]) if name in known else "\ufffe"
        decoded = re.sub(rb"&(#x[0-9a-f]+|[A-Za-z0-9.]+);", lambda m: ref(m).encode("utf-8", "surrogatepass"),
                         got[1]).decode("utf-8", "surrogatepass")
        if len(decoded) != len(text) or any(a != b and a != "\ufffe" for a, b in zip(decoded, text)):
            self.fail("sgml encode: the references do not mean the text", args, t, got)
            return
        back = self.run(["sgml", "decode", "--codepage", str(cp)], got[1])
        if back != (0, t, b""):
            self.fail("sgml encode then decode does not give the text back", args, t, back)

    # ---- names, logs, full output, usage ----

    def find(self, long=False):
        """Names outside the code page, in a folder whose path is sometimes longer than MAX_PATH."""
        r = self.rng
        k = self.runs
        folder = "f%d" % k + ("g" * 220 if long or r.random() < 0.2 else "")
        sub = os.path.join(self.dir, folder)
        os.makedirs(sub)
        names = set()
        for _ in range(r.randrange(1, 5)):
            n = "".join(r.choice(["a", "b", "\u010d", "\u017e", "\u65e5\u672c", "\u00e9", "\U0001F600", "_"])
                        for _ in range(r.randrange(1, 6)))
            names.add(n + ".txt")
        for n in names:
            open(os.path.join(sub, n), "wb").close()
        args = ["find", folder + "\\*.txt"]
        got = self.run(args)
        self.count("find")
        if got[0] != 0 or got[2]:
            self.fail("find of names outside the code page", args, b"", got)
            return
        m = re.search(rb"code page (\d+)\)", got[1])
        acp = "cp%s" % (m.group(1).decode() if m else "1252")
        for n in names:
            path = "%s\\%s" % (folder, n)
            try:
                ok = got[1].count(b"  " + path.encode(acp) + b"\r\n") == 1
            except UnicodeEncodeError:
                # Shown with '?' where the code page lacks a character (a UTF-16 unit: two for a
                # character above U+FFFF), and marked: never a look-alike.
                shown = "".join(c if ord(c) < 0x10000 else "??" for c in path).encode(acp, "replace")
                ok = (b"  " + shown + b"   (the name is not in code page") in got[1]
            if not ok:
                self.fail("find shows %r wrongly" % n, args, b"", got)

    def log(self):
        r = self.rng
        parts = ["ok", " ", "\n", "\r", "\t", "\x1b", "\x7f", "2000/01/01", "\\", "x", "\u65e5"]
        msg = "".join(r.choice(parts) for _ in range(r.randrange(1, 8)))
        fn = "l%d.log" % r.randrange(3)
        path = os.path.join(self.dir, fn)
        before = open(path, "rb").read() if os.path.exists(path) else b""
        args = ["log", "-s", r.choice(["src", "a\nb"]), "--", fn, msg]
        got = self.run(args)
        self.count("log")
        after = open(path, "rb").read() if os.path.exists(path) else b""
        added = after[len(before):]
        esc = lambda s: "".join({"\n": "\\n", "\r": "\\r", "\t": "\\t"}.get(
            c, "\\x%02x" % ord(c) if ord(c) < 0x20 or c == "\x7f" else c) for c in s)
        want = ("\t5\t%s: %s\n" % (esc(args[2]), esc(msg))).encode()
        if "\u65e5" in msg:  # not in the ANSI code page: refused, nothing written
            if got[0] != 1 or b"outside code page" not in got[2] or added:
                self.fail("log wrote a text the code page lacks", args, b"", got)
        elif got != (0, b"", b"") or added.count(b"\n") != 1 or not added.endswith(want):
            self.fail("log of a message with control characters is not one line", args, b"", got,
                      note="  # added %r" % added)

    def full_output(self, args=None):
        """Every command that prints something must notice that standard output is full."""
        r = self.rng
        with open(os.path.join(self.dir, "big.bin"), "wb") as f:
            f.write(r.randbytes(200000))
        args = args or r.choice(FULL_OUTPUT)
        stdin = b"x\xe8&amp;" * 20000 if args[0] == "sgml" else b""
        got = self.run(args, stdin, stdout_path="/dev/full")
        self.count("output to /dev/full")
        if got[0] != 1 or not got[2]:
            self.fail("output lost without exit 1 and a message", args, stdin, got,
                      note=" > /dev/full")

    def usage(self):
        """Random argument vectors: the exit-code rule, and -h/--help anywhere before --."""
        r = self.rng
        cmds = ["version", "date", "find", "digest", "base64", "cat", "sgml", "log", "reg", "ask", "help"]
        words = ["-h", "--help", "--", "-d", "-w", "8", "0", "010", "-1", "0x", "x", "--mode", "--codepage",
                 "99999", "65001", "encode", "decode", "query", "set", "HKCU\\Software\\ZrnoFuzz", "-t",
                 "REG_DWORD", "a.txt", "missing.txt", "č.txt", "-p", "9", "--sha256", "127.0.0.1:1",
                 "--bogus", "", "1999", "l.log"]
        args = [r.choice(cmds)] + [r.choice(words) for _ in range(r.randrange(0, 5))]
        stdin = b"abc"
        got = self.run(args, stdin)
        self.count("argument vectors")
        if not self.check_rule(args, got, stdin):
            return
        rest = args[1:args.index("--")] if "--" in args else args[1:]
        if args[0] != "help" and ("-h" in rest or "--help" in rest):
            if got[0] != 0 or not got[1].startswith(b"usage: zrno " + args[0].encode()):
                self.fail("-h/--help before -- is not help", args, stdin, got)

    def known(self):
        """Every run starts with these: each command of `zrno help` answers -h and --help anywhere before a
        "--" and refuses an unknown option; each command that prints finds a full standard output; the Base64
        line breaks at the widths around a group; names in a path over MAX_PATH; the seed table."""
        listing = self.run(["help"])[1].decode("ascii", "replace")
        cmds = re.findall(r"^  (\w+) ", listing.split("commands:")[-1], re.M)
        if len(cmds) < 10:
            self.fail("zrno help lists %d commands" % len(cmds), ["help"], b"", (0, listing.encode(), b""))
        for cmd in cmds:
            for args in ([cmd, "--help"], [cmd, "-h"], [cmd, "set", "x", "--help"]):
                got = self.run(args)
                self.count("help of every command")
                if got[0] != 0 or got[2] or not got[1].startswith(b"usage: zrno " + cmd.encode()):
                    self.fail("-h/--help is not help", args, b"", got)
            got = self.run([cmd, "--no-such-option"])
            if got[0] != 2 or got[1] or b"usage: zrno " + cmd.encode() not in got[2]:
                self.fail("an unknown option is not bad usage", [cmd, "--no-such-option"], b"", got)
        for args in FULL_OUTPUT:
            self.full_output(args)
        self.find(long=True)
        for n, w in ((7, 4), (7, 5), (7, 8), (9, 8), (58, 76), (4, 0)):
            self.base64_encode(size=n, width=w)
        for args, stdin, code, out, piece in SEEDS:
            got = self.run(args, stdin)
            self.count("seed table")
            if self.check_rule(args, got, stdin) and (got[0] != code or out not in (None, got[1]) or
                                                      piece.encode() not in got[1] + got[2]):
                self.fail("exit %d, standard output %r and %r expected" % (code, out, piece), args, stdin, got)
        if os.path.exists(os.path.join(self.dir, "l.log")):
            self.fail("a refused log command wrote its file", ["log", "-p", "bogus", "l.log", "t"])

    # ---- the run ----

    def fuzz(self, seconds):
        end = time.time() + seconds
        # Every size 0..1000 at the widths 4, 8, 76 and 1000 is 4004 runs, about half an hour under
        # Wine: each run takes the next pairs of that sweep in the seed's order for half of its time
        # (so runs with other seeds cover the rest), and random cases for the other half.
        sweep = [(n, w) for w in BASE64_WIDTHS for n in range(1001)]
        self.rng.shuffle(sweep)
        half = time.time() + seconds / 2
        for n, w in sweep if seconds >= 60 else []:
            if time.time() > half:
                break
            self.base64_encode(size=n, width=w)
            self.count("base64 sweep (of 4004)")
        jobs = [(self.base64_encode, 4), (lambda: self.base64_encode(big=True), 1), (self.base64_decode, 4),
                (self.digest, 3), (self.sgml_decode, 5), (self.sgml_encode, 5), (self.find, 1), (self.log, 2),
                (self.full_output, 2), (self.usage, 5)]
        bag = [j for j, w in jobs for _ in range(w)]
        # The known cases and one of each job first, so that even a short run has seen every command.
        self.known()
        for j, _ in jobs:
            j()
        while time.time() < end:
            self.rng.choice(bag)()


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--build", default="build/x86_64")
    ap.add_argument("--seconds", type=float, default=10)
    ap.add_argument("--seed", type=int, default=None)
    ap.add_argument("--base64-sweep", action="store_true",
                    help="only every Base64 size 0..1000 at the widths 4, 8, 76 and 1000, whatever the time")
    a = ap.parse_args()
    seed = a.seed if a.seed is not None else random.randrange(1 << 31)
    f = Fuzzer(a.build, seed)
    print("zrno fuzzer: seed %d, %g s, scratch folder %s" % (seed, a.seconds, f.dir), flush=True)
    # A server that outlives each program keeps start-up near a second; it ends itself a minute after
    # the last program. One already running (the tests') is left alone: "-p60" would shorten its life.
    if not streznik.tece(f.env["WINEPREFIX"]):
        subprocess.run([WINESERVER, "-p60"], env=f.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    start = time.time()
    if a.base64_sweep:
        for w in BASE64_WIDTHS:
            for n in range(1001):
                f.base64_encode(size=n, width=w)
    else:
        f.fuzz(a.seconds)
    print("tried in %.0f s (%d runs): %s" % (time.time() - start, f.runs,
          ", ".join("%s %d" % kv for kv in sorted(f.tried.items()))))
    print("%d failure(s)" % len(f.failures))
    return 1 if f.failures else 0


if __name__ == "__main__":
    sys.exit(main())
