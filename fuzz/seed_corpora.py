#!/usr/bin/env python3
"""Writes the seed corpora fuzz/corpus-<name>/ of the fuzz targets from what samples/ holds.

Every sample file seeds the line-based targets and the open as it is; packed samples (.rcz) seed
the packed reader, and each plain sample is also packed here so that the packed reader starts
from valid files. Expressions and [Calib] lines are taken from the samples' lines and a few
hand-made cases. Running it again rewrites the seeds and keeps what the fuzzers have added.
"""
import pathlib
import re
import sys

FUZZ = pathlib.Path(__file__).resolve().parent
SAMPLES = FUZZ.parent / "samples"
VERSION = "QMX_1.0.1.0"

EXPRESSIONS = [
    "x", "x*100/255", "(x+10)*2", "x*0.5-10", "x/0", "x*", "(x", "((((x))))", "-x", ".5*x",
    "1e38*x*x", "x/1e-45", "nan", "inf-inf", "x*-0", "2*(x-(3/(x+1)))", " x ", "x)",
]
CALIB_LINES = [
    "8010,1,Idle speed,10,0,rpm,1",
    "8011,2,Rev limit,1,0,rpm,1,0,3000,9000",
    "FFFF,2,Word at the end,1,0,,1",
    "FFFF,1,Byte at the end,0.5,-3,,3",
    "0,1,Zero LSB,0,0,,2",
    "12,2,Kind four,1e30,-1e30,,4,1",
    "12,2,Kind five,-0,1,,5,,nan,inf",
    "12345,1,Too long,1,0,,1",
    ",,,,,,",
]
DIAG_LINES = [
    "[Diag.Com]",
    "1,10,Engine speed,rpm,2,1,0",
    "2,FF,Name,Unit,1,0.5,-40,extra",
    "3,100,Too large,x,1,1,0",
    "4,1,Bad length,x,3,1,0",
    "5, 1 ,,x,1,1,0",
]
# What the samples leave out: every RS232C override, a machine model, labelled and word-addressed
# config maps with a Y line, and a two-map Multi Map preset.
OPEN_LINES = [
    "[Machine]", "Model,QX400T",
    "[Individual Information]", "VestraMachineCode,AB7",
    "[RS232C]", "Speed = 600", "data=7", "Parity=EVEN", "Stop=1.5", "X=YES",
    "CommandRetrycount=0", "CommPort=PORT3",
    "[Data]", "S1058000020375", "S1078004030102036B", "S9030000FC",
    "[Config Map]", "8000,8010,8000",
    "MAP1,0,0", "R,0,9,x,x", "C,0,9,x,x", "V,0,255,x,x",
    "2,a,b", "3,c,d,e", "y,8008,0.25",
    "MAP2,0,0", "R,0,9,x,x", "C,0,9,x,x", "V,0,255,x,x",
    "z,8000,2,2,0", "x,8004,1,3,1",
    "[Multi Map]", "MAP1,1", "MAP2,2",
    "[Diag.Com]", "1,10,Engine speed,rpm,2,1,0", "2,11,Coolant temperature,degC,1,1,-40",
]

# A free map whose column count is the last [Data] byte, which a save sets as the checksum.
CHECKSUM_COUNT_LINES = [
    "[Data]", "S1058000020375", "S9030000FC",
    "[Free Map]", "8000,8100,8000", "A,0,0", "Z,0,1,x,x", "X,0,1,x,x", "Y,0,1,x,x",
]

# A registry export with every value form the program meets, deletions included.
REGISTRY = (b"Windows Registry Editor Version 5.00\r\n\r\n"
            b"[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\r\n"
            b'"MachineFolder"="QX400T"\r\n"EcuCheckResult"=hex:4b,44\r\n'
            b'"Rs232cPort"=dword:00000000\r\n"ScanSelectedPortTimeout"="35"\r\n'
            b'"CommoLog"=hex(2):43,00,3a,00,\\\r\n  00,00\r\n"XOROFF"=-\r\n\r\n'
            b"[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\QMX]\r\n"
            b'"Install Directory"="C:\\\\Program Files\\\\\\"QMX\\""\r\n'
            b"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX\\Sub]\r\n")


def lines_of(data: bytes):
    """The lines as the plain reader splits them."""
    parts = data.split(b"\n")
    if parts and parts[-1] == b"":
        parts.pop()
    return [p.replace(b"\r", b"") for p in parts]


def section_name(line: bytes):
    t = line.strip(b" \t")
    if len(t) < 3 or not t.startswith(b"[") or not t.endswith(b"]"):
        return None
    name = t[1:-1].strip(b" \t")
    return name.lower() if name else None


def coded(text: bytes) -> bytes:
    digits = b"0123456789abcdef"
    out = bytearray(b"%04x" % len(text))
    for byte in text:
        out += bytes([digits[byte & 0x0F], digits[byte >> 4]])
    return bytes(out) + b"\r\n"


def packed(lines) -> bytes:
    out = bytearray()
    title = True
    for line in lines:
        if title:
            name = section_name(line)
            if name is None or name == b"title":
                out += line + b"\r\n"
                continue
            title = False
            out += b"\r\n[End Title]\r\n" + coded(VERSION.encode())
        out += coded(line)
    if title:
        out += b"\r\n[End Title]\r\n" + coded(VERSION.encode())
    return bytes(out + coded(VERSION.encode()))


def section_lines(lines, wanted: bytes):
    current = None
    for line in lines:
        name = section_name(line)
        if name is not None:
            current = name
            continue
        t = line.strip(b" \t")
        if current == wanted and t and not t.startswith(b";"):
            yield line


def write(corpus: str, name: str, data: bytes):
    folder = FUZZ / f"corpus-{corpus}"
    folder.mkdir(exist_ok=True)
    (folder / name).write_bytes(data)


def main() -> int:
    samples = sorted(p for p in SAMPLES.iterdir() if p.is_file())
    if not samples:
        print(f"no sample in {SAMPLES}", file=sys.stderr)
        return 1
    expression = re.compile(rb"^[-+*/().0-9xeE ]*x[-+*/().0-9xeE ]*$")
    found_expressions = set()
    calib = []
    for path in samples:
        data = path.read_bytes()
        for corpus in ("plain_reader", "data_section", "diagcom", "open_configuration"):
            write(corpus, path.name, data)
        if path.suffix.lower() == ".rcz":
            write("packed_reader", path.name, data)
            continue
        lines = lines_of(data)
        write("packed_reader", path.stem + ".packed", packed(lines))
        for line in lines:
            found_expressions.update(f for f in line.split(b",") if expression.match(f))
        calib.extend(section_lines(lines, b"calib"))

    for i, text in enumerate(sorted(found_expressions) + [e.encode() for e in EXPRESSIONS]):
        write("expression", f"expression-{i:02}", text)
    for i, text in enumerate(calib + [c.encode() for c in CALIB_LINES]):
        write("calib_line", f"calib-{i:02}", text)
    write("diagcom", "hand-made", "\n".join(DIAG_LINES).encode())
    write("open_configuration", "hand-made", "\n".join(OPEN_LINES).encode())
    write("open_configuration", "checksum-count", "\n".join(CHECKSUM_COUNT_LINES).encode())
    ini = (SAMPLES / "qmx.INI").read_bytes()
    for name, text in (("qmx.INI", ini), ("registry.reg", REGISTRY)):
        write("settings_files", name, text)
        write("settings_files", name + ".utf16", b"\xff\xfe" + text.decode("latin-1").encode("utf-16-le"))
    write("data_section", "hand-made",
          b"[data]\nS1050010AA40\nS104FFFF01FC\n[Other]\nS1060020BBCC52\nS9030000FC\n")
    print(f"seed corpora written to {FUZZ}/corpus-*")
    return 0


if __name__ == "__main__":
    sys.exit(main())
