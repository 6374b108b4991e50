#!/usr/bin/python3
"""Checks the quality benchmark's scores (scripts/measure-quality.py) against
values worked out by hand. Not part of the suite (it needs scipy, which the
build does not); run: /usr/bin/python3 tests/scripts/test_measure_quality.py
"""

import importlib.util
import os
import unittest

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
SPEC = importlib.util.spec_from_file_location("quality", os.path.join(HERE, "..", "..", "scripts",
                                                                      "measure-quality.py"))
quality = importlib.util.module_from_spec(SPEC)
SPEC.loader.exec_module(quality)


class Stoi(unittest.TestCase):
    def test_third_octave_bands_from_150_hz(self):
        # 512-point FFT at 10 kHz: bins 19.53125 Hz apart. Band 0 (centre
        # 150 Hz) spans 133.6..168.4 Hz: bins 7 (136.7) and 8 (156.3). Band 14
        # (centre 150·2^(14/3) = 3809.8 Hz) spans 3394.2..4276.1 Hz: bins 174
        # (3398.4) to 218 (4257.8).
        bands = quality.third_octave_bins()
        self.assertEqual(len(bands), 15)
        self.assertEqual(list(bands[0]), [7, 8])
        self.assertEqual((bands[14][0], bands[14][-1], len(bands[14])), (174, 218, 45))
        # The edge bands 3 and 4 share, 300·2^(1/6) = 336.7 Hz, is nearest bin
        # 17 (332.0 Hz), which starts band 4: band 3 is bins 14 (273.4, the
        # nearest to 267.3 Hz) to 16.
        self.assertEqual(list(bands[3]), [14, 15, 16])
        self.assertEqual(bands[4][0], 17)

    def test_clipped_correlation(self):
        # No clipping (y ≤ 6.62·x everywhere), reversed order: -1.
        self.assertAlmostEqual(quality.clipped_correlation(np.array([1., 2, 3, 4]), np.array([4., 3, 2, 1])), -1)
        # x = (0.1, 1, 1, 1), y = (1, 0, 1, 1): alpha = √3.01/√3 = 1.001665;
        # the first value is clipped to (1 + 10^0.75)·0.1 = 0.662341, so y' =
        # (0.662341, 0, 1.001665, 1.001665). Centred: x (-0.675, 0.225 ×3),
        # y' (-0.004077, -0.666418, 0.335247, 0.335247); their product
        # 0.003669 over |x|·|y'| = 0.779423 · 0.817870 gives 0.005756.
        value = quality.clipped_correlation(np.array([0.1, 1, 1, 1]), np.array([1., 0, 1, 1]))
        self.assertAlmostEqual(value, 0.005756, places=5)

    def test_silent_frames_are_removed(self):
        # 1 s of tone then 1 s of silence at 10 kHz: frames of 256 start every
        # 128 samples; the 78 starting before 9984 hold at least 144 tone
        # samples, the one at 9984 only 16 under the window's faint edge
        # (about 50 dB below the loudest frame) and the rest none. 78 frames
        # overlap-add to 77·128 + 256 samples.
        t = np.arange(10000) / 10000
        x = np.concatenate([np.sin(2 * np.pi * 1000 * t), np.zeros(10000)])
        kept, _ = quality.remove_silent_frames(x, x)
        self.assertEqual(len(kept), 77 * 128 + 256)

    def test_same_signal_scores_one_at_any_scale(self):
        rng = np.random.default_rng(1)
        x = rng.standard_normal(16000)
        self.assertAlmostEqual(quality.stoi(x, x, 8000), 1.0, places=6)
        self.assertAlmostEqual(quality.stoi(x, 3 * x, 8000), 1.0, places=6)


class OtherScores(unittest.TestCase):
    def test_si_sdr_of_an_orthogonal_error(self):
        # e ⟂ s, both of zero mean: 10·log10(|s|²/|e|²) = 10·log10(4/1).
        s = np.array([1., -1, 1, -1])
        e = np.array([0.5, 0.5, -0.5, -0.5])
        self.assertAlmostEqual(quality.si_sdr(s, s + e), 10 * np.log10(4), places=9)
        self.assertAlmostEqual(quality.si_sdr(s, 2 * (s + e)), 10 * np.log10(4), places=9)

    def test_align_undoes_a_delay(self):
        rng = np.random.default_rng(2)
        x = rng.standard_normal(4000)
        delayed = np.concatenate([np.zeros(37), x[:-37]])
        np.testing.assert_array_equal(quality.align(x, delayed)[:-37], x[:-37])


if __name__ == "__main__":
    unittest.main()
