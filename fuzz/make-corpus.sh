#!/usr/bin/env bash
# Writes the seed corpus of the settings, player and options fuzz targets
# into fuzz/corpus/<target>/ (small files, committed). Run it again after
# changing it; files it does not make (regression inputs of past findings,
# named regress-*) are kept.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec python3 - "$here/corpus" <<'PY'
import os, struct, sys

root = sys.argv[1]

def put(target, name, data):
    folder = os.path.join(root, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())

# Settings files: what the program writes, and damaged variants of it.
good = ("[SOUNDCARD]\nConfigured=1\n[SETTINGS]\nSpectrumFilterType=1\nFilterOn=1\n"
        "FilterCenterFreq=1500\nFilterBandwidth=600\nSpectrumZoom=3\nPlotSpeed=2\n"
        "WindowState=0\nWindowWidth=700\nWindowHeight=500\neq1=10\neq7=-10\n"
        "WaveRecorderFilename=/home/u/rec.wav\nPaletteColor1=255\nPaletteColor4=16777215\n"
        "PaletteAlpha1=0.5\nPaletteAlpha2=1\n")
put("settings_fuzz", "written.ini", good)
put("settings_fuzz", "crlf-bom.ini", "\ufeff" + good.replace("\n", "\r\n"))
put("settings_fuzz", "odd-values.ini",
    "[settings]\nfilteron=0x1\nFilterCenterFreq=99999999999\nFilterBandwidth=abc\n"
    "SpectrumZoom=256\nPlotSmoothing=-1\nPaletteAlpha1=nan\nPaletteAlpha2=1e99999\n"
    "WindowWidth=0X7fffffff\nWindowHeight=-2147483649\nSelectedTab= 5 \nAGC_enabled=\n")
put("settings_fuzz", "broken-lines.ini",
    "[SETTINGS\n=1\nFilterOn\n[]\nkey==x\n;FilterOn=1\n[SETTINGS]\nFilterOn=1=2\n"
    "WavePlayerFilename=" + "x" * 3000 + "\n")
put("settings_fuzz", "truncated.ini", good[: len(good) // 2])
put("settings_fuzz", "empty.ini", "")

# Player inputs: 16 script bytes (high bit: seek, else a block), then a WAV file.
def wav(channels, rate, bits, frames, tag=1, extra=b""):
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
    data = bytes((i * 37) & 0xFF for i in range(frames * align))
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + extra
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body

script = bytes([0x3f, 0x01, 0x80 | 64, 0x7f, 0x00, 0xff, 0x20, 0x60,
                0x80, 0x10, 0x3f, 0x3f, 0x7f, 0xc0, 0x05, 0x41])
put("player_fuzz", "mono16.bin", script + wav(1, 8000, 16, 300))
put("player_fuzz", "stereo16.bin", script + wav(2, 11025, 16, 200))
put("player_fuzz", "mono8.bin", script + wav(1, 22050, 8, 500))
put("player_fuzz", "odd-rate.bin", script + wav(1, 51, 16, 60))
put("player_fuzz", "list-chunk.bin", script + wav(1, 8000, 16, 40, extra=b"LIST\x04\x00\x00\x00INFO"))
put("player_fuzz", "float.bin", script + wav(1, 8000, 32, 40, tag=3))
put("player_fuzz", "cut-data.bin", (script + wav(1, 8000, 16, 300))[:300])
put("player_fuzz", "not-wave.bin", script + b"RIFX\x00\x00\x00\x00AVI ")

# Command lines of moravel-process, arguments separated by NUL bytes.
def argv(*args):
    return "\0".join(args)

put("options_fuzz", "plain.args", argv("in.wav", "out.wav"))
put("options_fuzz", "stages.args", argv("in.wav", "out.wav", "--agc", "50:20", "--noise-blanker=3",
    "--compressor", "10:2", "--expander=5:1", "--filter", "bandpass:1500:600", "--shift", "120:2",
    "--equalizer", "1,2,3,4,5,6,7", "--resolution", "high", "--decay", "4", "-q"))
put("options_fuzz", "spectrogram.args", argv("in.wav", "out.wav", "--spectrogram", "s.png",
    "--spectrogram-offset", "-20", "--spectrogram-gain", "30", "--palette", "Soft Green",
    "--spectrum-csv", "s.csv", "--settings", "m.ini"))
put("options_fuzz", "preset.args", argv("--preset", "HAM : CW", "in.wav", "--", "--out.wav"))
put("options_fuzz", "bad.args", argv("--agc", "1:2:3", "--filter=", "--resolution", "huge", "-x", "a", "b", "c"))
put("options_fuzz", "help.args", argv("--help", "--bogus"))
put("options_fuzz", "version.args", argv("--version"))
PY
