#!/usr/bin/python3
"""Quality benchmark of the cleanup stages (impulse blanker, noise reduction,
automatic notch) against the peers: makes its own cases, runs moravel-process
and the peers over them, and prints STOI gain, SI-SDR gain and how far the
whistles fell, per kind of noise.

Cases: espeak-ng speech band-limited to 300-2700 Hz at 8000 Hz, with one
second of lead-in, mixed with band-limited hiss at -5, 0, +5, +10 dB SNR,
static crashes, two steady heterodyne whistles at random frequencies, or
nothing (clean). The ceiling row runs each case's clean speech through the
chain: the best a stage can reach. Every output is aligned with the clean
speech (the lag of the largest cross-correlation within 50 ms) before it is
scored.

STOI is written from Taal, Hendriks, Heusdens and Jensen, "An Algorithm for
Intelligibility Prediction of Time-Frequency Weighted Noisy Speech", IEEE
Trans. Audio, Speech and Language Processing 19(7), 2011; see stoi().

Run it through scripts/measure-quality.sh, which builds what it needs.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

import numpy as np
from scipy import signal
from scipy.io import wavfile

RATE = 8000
BAND = (300.0, 2700.0)
LEAD_IN = 1.0  # seconds of noise alone before the speech (the peers' noise print)

SENTENCES = [
    ("en-us", "The birch canoe slid on the smooth planks. Glue the sheet to the dark blue background."),
    ("en-gb", "It is easy to tell the depth of a well. These days a chicken leg is a rare dish."),
    ("en-us+f3", "Rice is often served in round bowls. The juice of lemons makes fine punch."),
    ("en-gb-scotland", "The box was thrown beside the parked truck. Four hours of steady work faced us."),
]

# ---- STOI ------------------------------------------------------------------------

STOI_RATE = 10000
STOI_FRAME = 256       # 25.6 ms Hann frames, half overlapping
STOI_FFT = 512
STOI_BANDS = 15        # one-third octave bands
STOI_LOWEST = 150.0    # Hz, the lowest band's centre
STOI_SEGMENT = 30      # frames: 384 ms
STOI_BETA = -15.0      # dB, lower bound of the signal-to-distortion ratio
STOI_DYNAMIC = 40.0    # dB below the loudest frame a frame counts as silent


def third_octave_bins(rate=STOI_RATE, fft=STOI_FFT, bands=STOI_BANDS, lowest=STOI_LOWEST):
    """For each band, the FFT bins from the one nearest its lower edge
    centre·2^(-1/6) up to (not including) the one nearest its upper edge
    centre·2^(1/6); centres lowest·2^(k/3). Snapping the edges to bins, as
    the paper's authors do, gives a bin on a shared edge to one band only."""
    freqs = np.arange(fft // 2 + 1) * rate / fft
    result = []
    for k in range(bands):
        centre = lowest * 2.0 ** (k / 3.0)
        edges = (centre * 2.0 ** (-1 / 6), centre * 2.0 ** (1 / 6))
        low, high = (int(np.argmin(np.abs(freqs - edge))) for edge in edges)
        result.append(np.arange(low, high))
    return result


def hann(n):
    """The periodic-free Hann window of the paper: n points strictly inside
    (0, 1) (the end points, which are zero, are left out)."""
    return np.hanning(n + 2)[1:-1]


def frames_of(x, frame=STOI_FRAME):
    hop = frame // 2
    count = max(0, 1 + (len(x) - frame) // hop)
    return np.array([x[i * hop:i * hop + frame] for i in range(count)]).reshape(count, frame)


def remove_silent_frames(x, y, frame=STOI_FRAME, dynamic=STOI_DYNAMIC):
    """Drops the frames of both signals where the clean one is more than
    `dynamic` dB below its loudest frame, and overlap-adds what is left."""
    w = hann(frame)
    fx = frames_of(x, frame) * w
    fy = frames_of(y, frame) * w
    energy = 20 * np.log10(np.linalg.norm(fx, axis=1) + np.finfo(float).eps)
    keep = energy > energy.max() - dynamic
    fx, fy = fx[keep], fy[keep]
    hop = frame // 2
    length = (len(fx) - 1) * hop + frame if len(fx) else 0
    xs, ys = np.zeros(length), np.zeros(length)
    for i in range(len(fx)):
        xs[i * hop:i * hop + frame] += fx[i]
        ys[i * hop:i * hop + frame] += fy[i]
    return xs, ys


def band_envelopes(x):
    """The 15 one-third octave band amplitudes of each frame: shape (15, frames)."""
    spectrum = np.fft.rfft(frames_of(x) * hann(STOI_FRAME), STOI_FFT, axis=1)
    power = np.abs(spectrum) ** 2
    return np.array([np.sqrt(power[:, bins].sum(axis=1)) for bins in third_octave_bins()])


def clipped_correlation(x, y, beta=STOI_BETA):
    """The intermediate intelligibility of one band and segment: y scaled to
    x's energy, clipped to at most (1 + 10^(-beta/20)) times x, then the
    correlation coefficient of the two."""
    alpha = np.linalg.norm(x) / (np.linalg.norm(y) + np.finfo(float).eps)
    clipped = np.minimum(alpha * y, x * (1 + 10 ** (-beta / 20)))
    xc = x - x.mean()
    yc = clipped - clipped.mean()
    return float(xc @ yc / (np.linalg.norm(xc) * np.linalg.norm(yc) + np.finfo(float).eps))


def stoi(clean, processed, rate):
    """Short-time objective intelligibility of `processed` against `clean`
    (same length and rate): 0..1."""
    if rate != STOI_RATE:
        clean = signal.resample_poly(clean, STOI_RATE, rate)
        processed = signal.resample_poly(processed, STOI_RATE, rate)
    x, y = remove_silent_frames(np.asarray(clean, float), np.asarray(processed, float))
    ex, ey = band_envelopes(x), band_envelopes(y)
    frames = ex.shape[1]
    scores = [clipped_correlation(ex[j, m - STOI_SEGMENT:m], ey[j, m - STOI_SEGMENT:m])
              for m in range(STOI_SEGMENT, frames + 1) for j in range(STOI_BANDS)]
    return float(np.mean(scores)) if scores else float("nan")


# ---- Other scores ---------------------------------------------------------------

def si_sdr(clean, estimate):
    """Scale-invariant signal-to-distortion ratio, dB."""
    s = np.asarray(clean, float) - np.mean(clean)
    e = np.asarray(estimate, float) - np.mean(estimate)
    target = (e @ s) / (s @ s) * s
    return 10 * np.log10((target @ target) / ((e - target) @ (e - target) + 1e-12))


def tone_to_band_db(x, hz):
    """Power within ±10 Hz of `hz` over the power of the rest of the band,
    dB (Welch spectrum with 0.5 Hz bins), after the lead-in: a notch needs
    a moment to find a tone, and this is the figure once it has."""
    f, p = signal.welch(x[int(LEAD_IN * RATE):], RATE, nperseg=16384)
    near = np.abs(f - hz) <= 10
    band = (f >= BAND[0]) & (f <= BAND[1]) & ~near
    return 10 * np.log10(p[near].sum() / (p[band].sum() + 1e-20) + 1e-20)


def align(clean, out, max_lag=400):
    """`out` shifted by the lag (within ±max_lag samples) that best matches `clean`."""
    n = len(clean)
    out = np.asarray(out[:n], float)
    if len(out) < n:
        out = np.concatenate([out, np.zeros(n - len(out))])
    corr = signal.correlate(out, clean, mode="full", method="fft")
    lags = np.arange(-n + 1, n)
    window = np.abs(lags) <= max_lag
    lag = lags[window][np.argmax(corr[window])]
    return np.roll(out, -lag) if lag else out


# ---- Cases --------------------------------------------------------------------------

def band_filter():
    return signal.butter(8, BAND, btype="bandpass", fs=RATE, output="sos")


def speech(voice, text, folder):
    path = os.path.join(folder, "speech.wav")
    subprocess.run(["espeak-ng", "-v", voice, "-s", "150", "-w", path, text], check=True)
    rate, x = wavfile.read(path)
    x = signal.resample_poly(x.astype(float), RATE, rate)
    x = signal.sosfiltfilt(band_filter(), x)
    x *= 8000 / np.max(np.abs(x))
    lead = np.zeros(int(LEAD_IN * RATE))
    return np.concatenate([lead, x, np.zeros(RATE // 2)])


def hiss(clean, snr_db, rng):
    noise = signal.sosfilt(band_filter(), rng.standard_normal(len(clean)))
    active = clean[int(LEAD_IN * RATE):]
    scale = np.sqrt(np.mean(active ** 2) / np.mean(noise ** 2) / 10 ** (snr_db / 10))
    return noise * scale


def crashes(clean, rng):
    """Static crashes: about four a second, each a burst of noise decaying
    within 1 to 8 ms, its peak 1.5 to 4 times the speech's peak, as the
    receiver's filter passes it; over a faint hiss (30 dB below the speech)."""
    n = len(clean)
    bursts = np.zeros(n)
    t = 0
    while True:
        t += int(rng.exponential(RATE / 4))
        if t >= n:
            break
        length = int(rng.uniform(0.01, 0.04) * RATE)
        decay = rng.uniform(0.001, 0.008) * RATE
        burst = rng.standard_normal(length) * np.exp(-np.arange(length) / decay)
        end = min(n, t + length)
        bursts[t:end] += burst[:end - t]
    bursts = signal.sosfilt(band_filter(), bursts)
    # Scale each burst's peak on its own.
    out = np.zeros(n)
    peak = np.max(np.abs(clean))
    edges = np.flatnonzero(np.diff(np.concatenate([[0], (np.abs(bursts) > 1e-3).astype(int), [0]])))
    for start, stop in zip(edges[::2], edges[1::2]):
        part = bursts[start:stop]
        out[start:stop] = part / np.max(np.abs(part)) * peak * rng.uniform(1.5, 4.0)
    return out + hiss(clean, 30, rng)


def whistles(clean, rng):
    """Two steady whistles at random frequencies in 400..2400 Hz, at least
    200 Hz apart, each 6 dB stronger than the speech, drifting by up to 3 Hz."""
    n = len(clean)
    t = np.arange(n) / RATE
    while True:
        freqs = rng.uniform(400, 2400, 2)
        if abs(freqs[0] - freqs[1]) > 200:
            break
    power = np.mean(clean[int(LEAD_IN * RATE):] ** 2)
    out = np.zeros(n)
    for f in freqs:
        drift = rng.uniform(-3, 3) * t / t[-1]
        phase = 2 * np.pi * np.cumsum(f + drift) / RATE
        out += np.sqrt(2 * 4 * power) * np.sin(phase + rng.uniform(0, 2 * np.pi))
    return out + hiss(clean, 30, rng), [float(f) for f in freqs]


def make_cases(folder, rng, utterances):
    cases = []
    for u, (voice, text) in enumerate(SENTENCES[:utterances]):
        clean = speech(voice, text, folder)
        mixes = [("hiss", f"hiss {snr:+d} dB", hiss(clean, snr, rng), []) for snr in (-5, 0, 5, 10)]
        mixes.append(("crashes", "crashes", crashes(clean, rng), []))
        w, freqs = whistles(clean, rng)
        mixes.append(("whistles", "whistles", w, freqs))
        mixes.append(("clean", "clean", np.zeros_like(clean), []))
        for kind, label, noise, freqs in mixes:
            noisy = np.clip(np.round(clean + noise), -32768, 32767).astype(np.int16)
            name = f"u{u}-{label.replace(' ', '').replace('+', 'p').replace('-', 'm')}"
            path = os.path.join(folder, name + ".wav")
            wavfile.write(path, RATE, noisy)
            cases.append(dict(kind=kind, label=label, name=name, path=path, clean=clean, whistles=freqs,
                              clean_path=os.path.join(folder, f"u{u}-clean.wav")))
    return cases


# ---- Processors ----------------------------------------------------------------------

def moravel(binary, *options):
    def run(case, out, extra):
        args = [binary, case["path"], out, "--quiet", *options]
        if extra and case is not None:
            args += extra
        subprocess.run(args, check=True)
    return run


def ceiling(binary):
    """The case's clean speech through the chain with every stage off: what
    a stage that removed all of the noise and nothing else would give (the
    chain's own block edges cost some STOI in the bands outside the speech,
    which the clean reference leaves empty)."""
    def run(case, out, extra):
        moravel(binary)(dict(case, path=case["clean_path"]), out, extra)
    return run


def speexdsp(binary):
    def run(case, out, _extra):
        rate, x = wavfile.read(case["path"])
        done = subprocess.run([binary, str(rate), "-30"], input=x.astype("<i2").tobytes(),
                              stdout=subprocess.PIPE, check=True).stdout
        wavfile.write(out, rate, np.frombuffer(done, "<i2"))
    return run


def ffmpeg(case, out, _extra):
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", case["path"], "-af", "afftdn=nr=20:nf=-40:tn=1", out],
                   check=True)


def sox(case, out, _extra):
    profile = out + ".prof"
    subprocess.run(["sox", case["path"], "-n", "trim", "0", str(LEAD_IN), "noiseprof", profile], check=True)
    subprocess.run(["sox", case["path"], out, "noisered", profile, "0.21"], check=True)


def processors(binary, speex_binary):
    rows = [
        ("every stage off", moravel(binary)),
        ("ceiling: clean speech, stages off", ceiling(binary)),
        ("--clean-speech", moravel(binary, "--clean-speech")),
        ("--clean-speech, print 0:1 s", moravel(binary, "--clean-speech", "--noise-profile", f"0:{LEAD_IN:g}")),
        ("--impulse-blanker alone", moravel(binary, "--impulse-blanker", "6")),
        ("--noise-reduction alone", moravel(binary, "--noise-reduction", "30")),
        ("--auto-notch alone", moravel(binary, "--auto-notch")),
        ("noise blanker 10", moravel(binary, "--noise-blanker", "10")),
        ("noise blanker 20", moravel(binary, "--noise-blanker", "20")),
    ]
    if speex_binary and os.access(speex_binary, os.X_OK):
        rows.append(("speexdsp preprocessor -30 dB", speexdsp(speex_binary)))
    if shutil.which("ffmpeg"):
        rows.append(("ffmpeg afftdn=nr=20:nf=-40:tn=1", ffmpeg))
    if shutil.which("sox"):
        rows.append(("sox noisered (1 s print)", sox))
    return rows


# ---- Scoring ----------------------------------------------------------------------------

def score(case, out_path):
    rate, y = wavfile.read(out_path)
    assert rate == RATE, out_path
    clean = case["clean"]
    y = align(clean, y.astype(float))
    rate, noisy = wavfile.read(case["path"])
    noisy = noisy.astype(float)
    result = dict(stoi=stoi(clean, y, RATE), stoi_in=stoi(clean, noisy, RATE),
                  sdr=si_sdr(clean, y), sdr_in=si_sdr(clean, noisy))
    result["drops"] = [tone_to_band_db(noisy, f) - tone_to_band_db(y, f) for f in case["whistles"]]
    return result


def summarise(rows_scores):
    kinds = ["hiss", "crashes", "whistles", "clean"]
    header = (f"{'':34} {'STOI gain':>9} {'STOI gain':>9} {'STOI gain':>9} {'whistles':>12} "
              f"{'SI-SDR gain':>12} {'clean':>6} {'STOI gain':>9}")
    sub = f"{'':34} {'hiss':>9} {'crashes':>9} {'whistles':>9} {'down dB':>12} {'hiss dB':>12} {'STOI':>6} {'all':>9}"
    lines = [header, sub]
    for name, scores in rows_scores:
        by = {k: [s for s in scores if s["kind"] == k] for k in kinds}
        gain = {k: np.mean([s["stoi"] - s["stoi_in"] for s in by[k]]) for k in kinds}
        drops = [d for s in by["whistles"] for d in s["drops"]]
        sdr = [s["sdr"] - s["sdr_in"] for s in by["hiss"]]
        noisy = [s for s in scores if s["kind"] != "clean"]
        overall = np.mean([s["stoi"] - s["stoi_in"] for s in noisy])
        clean_stoi = np.mean([s["stoi"] for s in by["clean"]])
        lines.append(f"{name:34} {gain['hiss']:+9.3f} {gain['crashes']:+9.3f} {gain['whistles']:+9.3f} "
                     f"{min(drops):5.1f}..{max(drops):<5.1f} {min(sdr):+5.1f}..{max(sdr):<+5.1f} "
                     f"{clean_stoi:6.3f} {overall:+9.3f}")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--process", required=True, help="the moravel-process binary")
    parser.add_argument("--speex", help="the speex_denoise driver (bench/)")
    parser.add_argument("--utterances", type=int, default=4, help="sentences (1..4)")
    parser.add_argument("--seed", type=int, default=25)
    parser.add_argument("--only", help="run only the rows whose name contains this text")
    parser.add_argument("--keep", help="folder for the cases, outputs and one spectrogram per kind")
    parser.add_argument("--details", action="store_true", help="print each case's scores")
    args = parser.parse_args()

    folder = args.keep or tempfile.mkdtemp(prefix="moravel-quality-")
    os.makedirs(folder, exist_ok=True)
    rng = np.random.default_rng(args.seed)
    cases = make_cases(folder, rng, max(1, min(args.utterances, len(SENTENCES))))
    rows_scores = []
    for index, (name, run) in enumerate(processors(args.process, args.speex)):
        if args.only and args.only not in name and index != 0:
            continue
        scores = []
        for case in cases:
            out = os.path.join(folder, f"{case['name']}.out{index}.wav")
            extra = None
            if args.keep and name == "--clean-speech" and case["name"].startswith("u0-"):
                extra = ["--spectrogram", out[:-4] + ".png"]
            run(case, out, extra)
            s = score(case, out)
            s["kind"] = case["kind"]
            scores.append(s)
            if args.details:
                print(f"  {name:30} {case['name']:14} STOI {s['stoi_in']:.3f} -> {s['stoi']:.3f}  "
                      f"SI-SDR {s['sdr_in']:+6.1f} -> {s['sdr']:+6.1f}  drops {['%.1f' % d for d in s['drops']]}",
                      file=sys.stderr)
        rows_scores.append((name, scores))
    print(summarise(rows_scores))
    if not args.keep:
        shutil.rmtree(folder)
    else:
        print(f"cases, outputs and spectrograms in {folder}")


if __name__ == "__main__":
    main()
