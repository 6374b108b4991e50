#!/usr/bin/python3
"""moravel-process in a pipe fed in real time: per block, the time from the
block's last input sample being written into the pipe to that block's
processed samples being readable at the other end, and whether the piped
output equals the file-to-file output bit for bit.

A writer sends 20 ms pieces of a generated recording (a tone that comes and
goes over band noise) at real-time pace, on a schedule kept from the start,
and notes when each piece went in; a reader notes when each byte came out.
Output sample n can come out only after input sample n + one block went in
(the engine's one-block delay), so the goal is at most one block + 50 ms.

Usage: measure-pipe.py PROGRAM RATE SECONDS [OPTIONS...]
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import threading
import time

PIECE_SECONDS = 0.02


def block_samples(rate):
    quarter = rate // 4  # the player's buffer size for this rate, in samples
    if quarter <= 1500:
        return 512
    if quarter <= 3000:
        return 1024
    if quarter <= 6000:
        return 2048
    return 4096


def recording(rate, seconds):
    rng = random.Random(27)
    samples = []
    for n in range(int(rate * seconds)):
        t = n / rate
        value = rng.gauss(0, 300)
        if int(t) % 10 < 6:
            value += 8000 * math.sin(2 * math.pi * 1000 * t)
        samples.append(max(-32768, min(32767, int(value))))
    return struct.pack('<%dh' % len(samples), *samples)


def file_to_file(program, rate, raw, options):
    with tempfile.TemporaryDirectory() as folder:
        source, target = os.path.join(folder, 'in.raw'), os.path.join(folder, 'out.raw')
        with open(source, 'wb') as f:
            f.write(raw)
        subprocess.run([program, '--raw', str(rate), source, target, '--quiet'] + options, check=True)
        with open(target, 'rb') as f:
            return f.read()


def piped(program, rate, raw, options):
    process = subprocess.Popen([program, '--raw', str(rate), '-', '-', '--quiet'] + options,
                               stdin=subprocess.PIPE, stdout=subprocess.PIPE, bufsize=0)
    piece = int(rate * PIECE_SECONDS) * 2
    written = []  # (bytes in so far, time)
    arrived = []  # (bytes out so far, time)
    output = bytearray()

    def write():
        start = time.monotonic()
        for k, at in enumerate(range(0, len(raw), piece)):
            delay = start + k * PIECE_SECONDS - time.monotonic()
            if delay > 0:
                time.sleep(delay)
            process.stdin.write(raw[at:at + piece])
            written.append((min(at + piece, len(raw)), time.monotonic()))
        process.stdin.close()

    writer = threading.Thread(target=write)
    writer.start()
    while True:
        chunk = process.stdout.read(65536)
        if not chunk:
            break
        output.extend(chunk)
        arrived.append((len(output), time.monotonic()))
    writer.join()
    process.wait()
    return bytes(output), written, arrived


def first_time(events, needed):
    """When the count in `events` first reached `needed` bytes."""
    for count, at in events:
        if count >= needed:
            return at
    return None


def main():
    program, rate, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    options = sys.argv[4:]
    raw = recording(rate, seconds)
    expected = file_to_file(program, rate, raw, options)
    output, written, arrived = piped(program, rate, raw, options)
    block = block_samples(rate)
    block_ms = 1000.0 * block / rate
    latencies = []
    # Blocks whose last input sample came in while the writer was still
    # running; the last block comes out when the input ends.
    for end in range(block * 2, len(raw) // 2 + 1, block):
        went_in = first_time(written, end * 2)
        came_out = first_time(arrived, end * 2)
        if went_in is None or came_out is None:
            continue
        latencies.append(1000.0 * (came_out - went_in))
    latencies.sort()
    worst, median = latencies[-1], latencies[len(latencies) // 2]
    print('rate %d Hz, block %d samples (%.1f ms), %.0f s, options: %s' %
          (rate, block, block_ms, seconds, ' '.join(options) or '(none)'))
    print('blocks %d: last input sample to output readable: median %.1f ms, 95 %% %.1f ms, worst %.1f ms' %
          (len(latencies), median, latencies[int(len(latencies) * 0.95)], worst))
    print('beyond the engine\'s one block: median %.1f ms, worst %.1f ms (goal: at most 50 ms)' %
          (median - block_ms, worst - block_ms))
    same = output == expected
    print('piped output equals file-to-file output bit for bit: %s (%d bytes)' % ('yes' if same else 'NO', len(output)))
    sys.exit(0 if same and worst <= block_ms + 50 else 1)


if __name__ == '__main__':
    main()
