"""Music and sound effects, synthesised with numpy and encoded with oggenc.

sfx/puzzle.ogg    calm looping background music (72 s, stereo): soft pads,
                  a plucked arpeggio, a round bass and a bell melody over an
                  eight-chord progression, with a long soft reverb.  The loop
                  is seamless: every note tail that runs past the end is
                  added back onto the start, and the reverb is a circular
                  convolution over the loop length.
sfx/tamli-klik-over1.ogg  a piece put down: a short soft wooden click.
sfx/info.ogg              pieces snap together: a bright two-note chime.
sfx/tamli-info-good.ogg   the puzzle is solved: a happy fanfare (under 4 s).
sfx/tamli-info-bad.ogg    a question opens: a soft two-note attention tone.
"""
import os
import subprocess
import tempfile
import wave

import numpy as np

import gfxlib as G

SR = 44100
BPM = 80.0
BEAT = 60.0 / BPM
BAR = 4 * BEAT            # 3 s
BARS = 24                 # 72 s loop
LOOP = int(round(BARS * BAR * SR))


def midi_hz(n):
    return 440.0 * 2 ** ((n - 69) / 12.0)


def env_adsr(n, a, d, s_level, r, sustain_len):
    """Piecewise-linear envelope of n samples (times in seconds)."""
    t = np.arange(n) / SR
    e = np.interp(t, [0, a, a + d, a + d + sustain_len, a + d + sustain_len + r],
                  [0, 1, s_level, s_level, 0])
    return e


class Track:
    """A stereo buffer longer than the loop; notes are added at sample
    offsets and the overflow is folded back onto the start at the end."""

    def __init__(self, length, tail=8.0):
        self.n = length
        self.buf = np.zeros((length + int(tail * SR), 2))

    def add(self, t0, mono, pan=0.0, gain=1.0):
        i0 = int(round(t0 * SR))
        n = min(mono.size, self.buf.shape[0] - i0)
        lg = np.cos((pan + 1) * np.pi / 4) * gain
        rg = np.sin((pan + 1) * np.pi / 4) * gain
        self.buf[i0:i0 + n, 0] += mono[:n] * lg
        self.buf[i0:i0 + n, 1] += mono[:n] * rg

    def folded(self):
        out = self.buf[:self.n].copy()
        over = self.buf[self.n:]
        k = 0
        while k < over.shape[0]:
            m = min(self.n, over.shape[0] - k)
            out[:m] += over[k:k + m]
            k += m
        return out


def pad_note(f, dur, rng):
    n = int((dur + 2.5) * SR)
    t = np.arange(n) / SR
    sig = np.zeros(n)
    for det in (-0.06, 0.0, 0.07):
        ff = f * 2 ** (det / 12)
        ph = rng.uniform(0, 2 * np.pi)
        for k in range(1, 7):
            sig += np.sin(2 * np.pi * ff * k * t + ph * k) / (k ** 1.6)
    sig *= 1 + 0.15 * np.sin(2 * np.pi * 0.3 * t + rng.uniform(0, 6))
    return sig * env_adsr(n, 0.9, 0.6, 0.75, 2.0, max(0.0, dur - 1.5)) / 3.0


def pluck(f, dur=1.6, bright=1.0):
    n = int(dur * SR)
    t = np.arange(n) / SR
    sig = np.zeros(n)
    for k in range(1, 9):
        if f * k > 9000:
            break
        amp = (1.0 / k) * (0.8 if k % 2 == 0 else 1.0) * bright ** (k - 1)
        sig += amp * np.sin(2 * np.pi * f * k * t) * np.exp(-t * (2.5 + 1.8 * k))
    attack = np.clip(t / 0.004, 0, 1)
    return sig * attack * 0.5


def bell(f, dur=3.0, soft=1.0):
    n = int(dur * SR)
    t = np.arange(n) / SR
    partials = [(1.0, 1.0, 1.2), (2.0, 0.45, 2.0), (2.76, 0.35, 2.6), (5.40, 0.15, 4.0), (8.93, 0.06, 6.0)]
    sig = np.zeros(n)
    for ratio, amp, dec in partials:
        sig += amp * np.sin(2 * np.pi * f * ratio * t) * np.exp(-t * dec * soft)
    attack = np.clip(t / 0.006, 0, 1)
    return sig * attack * 0.45


def bass(f, dur):
    n = int((dur + 0.6) * SR)
    t = np.arange(n) / SR
    sig = np.sin(2 * np.pi * f * t) + 0.3 * np.sin(4 * np.pi * f * t) * np.exp(-t * 3)
    return sig * env_adsr(n, 0.02, 0.4, 0.6, 0.5, max(0.0, dur - 0.42)) * 0.6


def circular_reverb(x, seconds=2.6, seed=7, wet=0.28):
    """Stereo reverb by circular convolution with decaying filtered noise."""
    rng = np.random.default_rng(seed)
    n = x.shape[0]
    m = int(seconds * SR)
    t = np.arange(m) / SR
    out = np.empty_like(x)
    for ch in range(2):
        ir = rng.standard_normal(m) * np.exp(-t * 6.9 / seconds)
        # soften the highs of the tail
        spectrum = np.fft.rfft(ir)
        fr = np.fft.rfftfreq(m, 1 / SR)
        spectrum *= 1 / (1 + (fr / 3500.0) ** 2)
        ir = np.fft.irfft(spectrum, m)
        ir[:int(0.012 * SR)] *= np.linspace(0, 1, int(0.012 * SR))
        ir /= np.sqrt(np.sum(ir ** 2))
        full = np.zeros(n)
        full[:m] = ir
        y = np.fft.irfft(np.fft.rfft(x[:, ch]) * np.fft.rfft(full), n)
        out[:, ch] = x[:, ch] * (1 - wet * 0.5) + y * wet
    return out


# D major: chords as MIDI notes (pad voicing), bass root, arpeggio tones
PROG = [
    ("Dmaj7", [50, 57, 61, 66], 38, [62, 66, 69, 73]),
    ("Bm7", [47, 54, 57, 62], 35, [59, 62, 66, 69]),
    ("Gmaj7", [43, 50, 54, 59], 31, [55, 59, 62, 66]),
    ("A", [45, 52, 57, 61], 33, [57, 61, 64, 69]),
    ("F#m7", [42, 49, 52, 57], 30, [54, 57, 61, 64]),
    ("Bm7", [47, 54, 57, 62], 35, [59, 62, 66, 69]),
    ("Em7", [40, 47, 50, 55], 28, [55, 59, 62, 67]),
    ("A7sus", [45, 52, 55, 62], 33, [57, 62, 64, 67]),
]

# bell melody per cycle: (bar-relative beat, midi) over the 8-bar cycle
MELODY = [
    [],
    [(0, 78), (1.5, 76), (2, 73), (4, 74), (5.5, 73), (6, 71), (8, 71), (9, 74), (10, 79), (12, 76),
     (13.5, 73), (14, 69), (16, 73), (17, 76), (18, 78), (20, 74), (22, 71), (24, 71), (25.5, 74),
     (26, 76), (28, 73), (29, 76), (30, 74)],
    [(0, 81), (1, 78), (2, 76), (3, 78), (4, 74), (6, 71), (8, 79), (9, 78), (10, 74), (12, 76), (14, 73),
     (16, 76), (17, 78), (18, 81), (19, 78), (20, 74), (22, 78), (24, 76), (25, 74), (26, 71), (28, 73),
     (30, 69)],
]


def music():
    rng = np.random.default_rng(1234)
    pads = Track(LOOP)
    arps = Track(LOOP)
    lows = Track(LOOP)
    bells = Track(LOOP)
    for bar in range(BARS):
        name, pad, root, arp = PROG[bar % 8]
        cycle = bar // 8
        t0 = bar * BAR
        for i, nte in enumerate(pad):
            pads.add(t0, pad_note(midi_hz(nte), BAR, rng), pan=(i - 1.5) * 0.35, gain=0.16)
        lows.add(t0, bass(midi_hz(root), BEAT * 2), gain=0.42)
        lows.add(t0 + 2 * BEAT, bass(midi_hz(root + (7 if bar % 2 else 12)), BEAT * 2), gain=0.32)
        pattern = [0, 1, 2, 3, 2, 1, 2, 3] if cycle != 1 else [0, 2, 1, 3, 2, 3, 1, 2]
        for k, idx in enumerate(pattern):
            f = midi_hz(arp[idx] + (12 if (cycle == 2 and k in (3, 7)) else 0))
            vel = 0.8 if k % 2 == 0 else 0.6
            arps.add(t0 + k * BEAT / 2 + rng.uniform(0, 0.006), pluck(f, 1.6, 0.85),
                     pan=-0.45 if k % 2 == 0 else 0.45, gain=0.22 * vel)
    for cycle, mel in enumerate(MELODY):
        for beat, nte in mel:
            t = cycle * 8 * BAR + beat * BEAT
            bells.add(t, bell(midi_hz(nte), 3.2), pan=0.15 * np.sin(beat), gain=0.2)
    # a soft high shimmer on every fourth bar
    for bar in range(0, BARS, 4):
        bells.add(bar * BAR + 0.02, bell(midi_hz(PROG[bar % 8][3][3] + 12), 4.0, 0.6), pan=-0.3, gain=0.07)
    mix = pads.folded() + arps.folded() + lows.folded() + bells.folded()
    # gentle low cut so the mix stays light
    spectrum = np.fft.rfft(mix, axis=0)
    fr = np.fft.rfftfreq(mix.shape[0], 1 / SR)
    spectrum *= (1 / np.sqrt(1 + (45.0 / np.maximum(fr, 1)) ** 4))[:, None]
    mix = np.fft.irfft(spectrum, mix.shape[0], axis=0)
    mix = circular_reverb(mix)
    peak = np.max(np.abs(mix))
    return mix * (10 ** (-6 / 20) / peak)


def fx_click():
    n = int(0.16 * SR)
    t = np.arange(n) / SR
    rng = np.random.default_rng(31)
    noise = rng.standard_normal(n)
    spectrum = np.fft.rfft(noise)
    fr = np.fft.rfftfreq(n, 1 / SR)
    spectrum *= np.exp(-((fr - 2600) / 1400) ** 2)
    tick = np.fft.irfft(spectrum, n) * np.exp(-t * 220)
    f = 420 * np.exp(-t * 18) + 180
    tok = np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t * 45)
    s = tick / np.max(np.abs(tick)) * 0.5 + tok * 0.8
    return s * np.clip(t / 0.0015, 0, 1)


def fx_chime():
    out = np.zeros(int(1.1 * SR))
    for t0, nte, g in ((0.0, 88, 0.8), (0.07, 95, 0.7)):
        b = bell(midi_hz(nte), 1.0, 2.2)
        i0 = int(t0 * SR)
        out[i0:i0 + b.size] += b[:out.size - i0] * g
    t = np.arange(out.size) / SR
    return out * np.clip((1.1 - t) / 0.2, 0, 1)


def brass(f, dur):
    n = int((dur + 0.3) * SR)
    t = np.arange(n) / SR
    vib = 1 + 0.004 * np.sin(2 * np.pi * 5.5 * t) * np.clip(t / 0.3, 0, 1)
    ph = 2 * np.pi * f * np.cumsum(vib) / SR
    bright = np.clip(t / 0.06, 0, 1)
    sig = np.zeros(n)
    for k in range(1, 10):
        sig += np.sin(k * ph) / k * (bright ** (0.3 * k)) * (0.7 ** (k - 1) + 0.1)
    return sig * env_adsr(n, 0.03, 0.15, 0.7, 0.3, max(0.0, dur - 0.18)) * 0.5


def fx_fanfare():
    out = np.zeros(int(3.4 * SR))

    def put(t0, sig, g):
        i0 = int(t0 * SR)
        m = min(sig.size, out.size - i0)
        out[i0:i0 + m] += sig[:m] * g
    step = 0.14
    for k, nte in enumerate((72, 76, 79, 84)):
        put(k * step, brass(midi_hz(nte), 0.16), 0.5)
        put(k * step, bell(midi_hz(nte + 12), 1.2, 1.5), 0.25)
    t1 = 4 * step + 0.04
    for nte in (72, 76, 79, 84):
        put(t1, brass(midi_hz(nte), 1.7), 0.32)
    put(t1, bass(midi_hz(48), 1.6), 0.6)
    for k, nte in enumerate((96, 100, 103, 108, 103, 108)):
        put(t1 + 0.1 + k * 0.11, bell(midi_hz(nte), 1.2, 2.0), 0.12)
    t = np.arange(out.size) / SR
    return out * np.clip((3.4 - t) / 0.5, 0, 1)


def fx_attention():
    out = np.zeros(int(0.9 * SR))
    for t0, nte in ((0.0, 81), (0.18, 77)):
        n = int(0.7 * SR)
        t = np.arange(n) / SR
        f = midi_hz(nte)
        s = (np.sin(2 * np.pi * f * t) + 0.25 * np.sin(4 * np.pi * f * t) + 0.08 * np.sin(6 * np.pi * f * t))
        s *= np.clip(t / 0.015, 0, 1) * np.exp(-t * 5.0)
        i0 = int(t0 * SR)
        m = min(n, out.size - i0)
        out[i0:i0 + m] += s[:m] * 0.6
    return out


def active_rms(x):
    """RMS over the part of a sound louder than 40 dB below its peak."""
    mono = x if x.ndim == 1 else x.mean(axis=1)
    win = int(0.01 * SR)
    e = np.sqrt(np.convolve(mono ** 2, np.ones(win) / win, mode="same"))
    act = e > np.max(e) * 0.01
    return float(np.sqrt(np.mean(mono[act] ** 2)))


def write_ogg(x, rel, serial):
    x = np.atleast_2d(x.T).T if x.ndim == 1 else x
    pcm = np.clip(np.round(x * 32767), -32768, 32767).astype("<i2")
    out = G.out_path(rel)
    with tempfile.TemporaryDirectory() as td:
        wav = os.path.join(td, "in.wav")
        with wave.open(wav, "wb") as w:
            w.setnchannels(pcm.shape[1] if pcm.ndim == 2 else 1)
            w.setsampwidth(2)
            w.setframerate(SR)
            w.writeframes(pcm.tobytes())
        subprocess.run(["oggenc", "-Q", "-q", "4", "--serial", str(serial), "-o", out, wav], check=True)
    return out


def decode(rel):
    with tempfile.TemporaryDirectory() as td:
        wav = os.path.join(td, "out.wav")
        subprocess.run(["oggdec", "-Q", "-o", wav, G.out_path(rel)], check=True)
        with wave.open(wav, "rb") as w:
            ch, n = w.getnchannels(), w.getnframes()
            data = np.frombuffer(w.readframes(n), "<i2").astype(np.float64) / 32768.0
    return data.reshape(-1, ch), ch


TARGET_RMS_DB = -20.0


def build(report):
    m = music()
    write_ogg(m, "sfx/puzzle.ogg", 1001)
    effects = [("sfx/tamli-klik-over1.ogg", fx_click()), ("sfx/info.ogg", fx_chime()),
               ("sfx/tamli-info-good.ogg", fx_fanfare()), ("sfx/tamli-info-bad.ogg", fx_attention())]
    for k, (rel, x) in enumerate(effects):
        g = 10 ** (TARGET_RMS_DB / 20) / active_rms(x)
        # keep 1 dB of headroom below full scale for the encoder
        g = min(g, 10 ** (-1.5 / 20) / np.max(np.abs(x)))
        write_ogg(x * g, rel, 1002 + k)
    # verify: decode each file, check for clipping, report levels
    for rel in ["sfx/puzzle.ogg"] + [e[0] for e in effects]:
        d, ch = decode(rel)
        peak = float(np.max(np.abs(d)))
        clipped = int(np.sum(np.abs(d) >= 32767 / 32768.0))
        if clipped:
            raise RuntimeError("%s clips (%d samples)" % (rel, clipped))
        report.append("%s: %.2f s, %d ch, peak %.1f dBFS, active RMS %.1f dBFS" % (
            rel, d.shape[0] / SR, ch, 20 * np.log10(peak), 20 * np.log10(active_rms(d))))
    d, _ = decode("sfx/puzzle.ogg")
    # the loop seam: the step from the last sample to the first should be no
    # bigger than ordinary steps inside the music
    steps = np.abs(np.diff(d, axis=0))
    seam = np.abs(d[0] - d[-1])
    report.append("sfx/puzzle.ogg loop seam step %.4f (99.9th percentile of steps %.4f)" % (
        float(seam.max()), float(np.percentile(steps, 99.9))))


if __name__ == "__main__":
    r = []
    build(r)
    print("\n".join(r))
