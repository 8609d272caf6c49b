#!/usr/bin/env python3
"""Makes (or removes) a simulated DVD-Video disc in a Wine prefix.

Wine shows the drive as a CD-ROM (GetDriveTypeA 5) holding a UDF volume with the chosen label
and serial number, and VIDEO_TS/VIDEO_TS.IFO whose byte 35 is the chosen region byte.

    WINEPREFIX=... mkdisc.py D MY_MOVIE 1A2B3C4D F5
    WINEPREFIX=... mkdisc.py --video-ts DVD/VIDEO_TS D MY_MOVIE 1A2B3C4D
    WINEPREFIX=... mkdisc.py --remove D
"""

import argparse
import os
import shutil
import subprocess
import sys

SECTOR = 2048
IMAGE_SIZE = 2 * 1024 * 1024
FILE_SET_DESCRIPTOR = 256  # UDF/ECMA-167 tag identifier
REGION_OFFSET = 35


def fail(message):
    print("mkdisc: " + message, file=sys.stderr)
    sys.exit(1)


def quiet_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    return env


def run(command, check=True):
    # Wine's server and services inherit our output; keep them off the caller's pipe.
    result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, env=quiet_env())
    if check and result.returncode != 0:
        fail("'%s' failed with exit code %d" % (" ".join(command), result.returncode))
    return result.returncode


def tag_is_valid(sector):
    # The tag checksum is the byte sum of the tag's 16 bytes without byte 4.
    checksum = sum(sector[0:4]) + sum(sector[5:16])
    return checksum & 0xFF == sector[4]


def set_serial(image_path, serial):
    """Wine's serial of a UDF volume: s_k is the 8-bit sum of the File Set Descriptor sector's
    bytes k, k+4, k+8, ...; the serial is s3 s2 s1 s0. The sector's last four bytes lie after
    the 512-byte descriptor, outside its checksum, so they can be chosen to give any serial."""
    with open(image_path, "r+b") as image:
        data = bytearray(image.read())
        found = 0
        for start in range(0, len(data) - SECTOR + 1, SECTOR):
            sector = data[start:start + SECTOR]
            tag = sector[0] | sector[1] << 8
            if tag != FILE_SET_DESCRIPTOR or not tag_is_valid(sector):
                continue
            for k in range(4):
                wanted = (serial >> (8 * k)) & 0xFF
                rest = sum(sector[k:SECTOR - 4:4]) & 0xFF
                data[start + SECTOR - 4 + k] = (wanted - rest) & 0xFF
            found += 1
        if found == 0:
            fail("no File Set Descriptor in " + image_path)
        image.seek(0)
        image.write(data)


def paths(prefix, letter):
    drive = letter.lower() + ":"
    dosdevices = os.path.join(prefix, "dosdevices")
    folder = os.path.join(prefix, "spindrel-discs", letter.lower())
    return drive, os.path.join(dosdevices, drive), os.path.join(dosdevices, drive + ":"), folder


def remove_link(path):
    if os.path.islink(path) or os.path.exists(path):
        os.remove(path)


def restart_server(restart):
    # Drive links, the Drives key and images are only read by a new server.
    run(["wineserver", "-k"], check=False)
    run(["wineserver", "-w"], check=False)
    if restart:
        run(["wineserver", "-p"], check=False)
        run(["wine", "cmd", "/c", "exit"], check=False)


def make(prefix, letter, label, serial, region, video_ts, restart):
    drive, drive_link, device_link, folder = paths(prefix, letter)
    if shutil.which("mkudffs") is None:
        fail("mkudffs is missing (package udftools)")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, ".udf"))

    if video_ts is not None:
        # A real disc's files, for a real player: linked, not copied, so that the folder may lie
        # where a player running as another user can read it.
        os.symlink(video_ts, os.path.join(folder, "VIDEO_TS"))
    else:
        os.makedirs(os.path.join(folder, "VIDEO_TS"))
        ifo = bytearray(SECTOR)
        ifo[0:12] = b"DVDVIDEO-VMG"
        ifo[REGION_OFFSET] = region
        with open(os.path.join(folder, "VIDEO_TS", "VIDEO_TS.IFO"), "wb") as f:
            f.write(ifo)

    # The image must lie inside the drive's folder: Wine finds the volume's file system by
    # walking up from the device's path to a drive root.
    image = os.path.join(folder, ".udf", "disc.udf")
    with open(image, "wb") as f:
        f.truncate(IMAGE_SIZE)
    result = subprocess.run(["mkudffs", "--media-type=hd", "--blocksize=%d" % SECTOR,
                             "--label=" + label, image],
                            stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if result.returncode != 0:
        fail("mkudffs failed: " + result.stderr.strip())
    set_serial(image, serial)

    remove_link(drive_link)
    remove_link(device_link)
    os.symlink(folder, drive_link)
    os.symlink(image, device_link)
    # Wine reads its Drives key from the 64-bit view; a bare "wine reg" in a prefix that also
    # holds 32-bit Wine writes the WOW6432Node copy, and the drive stays a fixed disk.
    run(["wine", "reg", "add", "HKLM\\Software\\Wine\\Drives", "/v", drive, "/t", "REG_SZ",
         "/d", "cdrom", "/f", "/reg:64"])
    restart_server(restart)


def remove(prefix, letter, restart):
    drive, drive_link, device_link, folder = paths(prefix, letter)
    remove_link(drive_link)
    remove_link(device_link)
    shutil.rmtree(folder, ignore_errors=True)
    for view in ("/reg:64", "/reg:32"):
        run(["wine", "reg", "delete", "HKLM\\Software\\Wine\\Drives", "/v", drive, "/f", view],
            check=False)
    restart_server(restart)


def number(text, bits):
    try:
        value = int(text, 16)
    except ValueError:
        raise argparse.ArgumentTypeError("not a hexadecimal number: " + text)
    if not 0 <= value < 1 << bits:
        raise argparse.ArgumentTypeError("out of range: " + text)
    return value


def letter_arg(text):
    if len(text.rstrip(":")) != 1 or not text[0].isalpha() or text[0].upper() in "ABCZ":
        raise argparse.ArgumentTypeError("a drive letter D to Y, not " + text)
    return text[0].upper()


def main():
    parser = argparse.ArgumentParser(description="Make a simulated DVD-Video disc for Wine.")
    parser.add_argument("--remove", action="store_true", help="take the drive away again")
    parser.add_argument("--video-ts", metavar="FOLDER",
                        help="a real VIDEO_TS folder (tools/mkdvd) as the disc's, its own region"
                        " byte kept; the region argument is then not needed")
    parser.add_argument("--no-restart", action="store_true",
                        help="leave the Wine server stopped afterwards")
    parser.add_argument("letter", type=letter_arg, help="drive letter, D to Y")
    parser.add_argument("label", nargs="?", help="volume label (at most 30 characters)")
    parser.add_argument("serial", nargs="?", type=lambda t: number(t, 32),
                        help="volume serial number in hex, e.g. 1A2B3C4D")
    parser.add_argument("region", nargs="?", type=lambda t: number(t, 8),
                        help="region byte in hex, e.g. F5 (bit n set: not region n+1)")
    args = parser.parse_args()

    prefix = os.environ.get("WINEPREFIX")
    if not prefix or not os.path.isfile(os.path.join(prefix, "system.reg")):
        fail("WINEPREFIX must name a prepared Wine prefix")
    restart = not args.no_restart
    if args.remove:
        remove(prefix, args.letter, restart)
        return
    if args.label is None or args.serial is None:
        parser.error("a label and a serial are needed")
    video_ts = None
    if args.video_ts is not None:
        video_ts = os.path.abspath(args.video_ts)
        if not os.path.isfile(os.path.join(video_ts, "VIDEO_TS.IFO")):
            parser.error("no VIDEO_TS.IFO in " + video_ts)
    elif args.region is None:
        parser.error("a region byte is needed")
    if len(args.label) > 30:
        parser.error("the label is longer than 30 characters")
    make(prefix, args.letter, args.label, args.serial, args.region, video_ts, restart)


if __name__ == "__main__":
    main()
