#!/usr/bin/env python3
"""Makes a recording to align, with the truth about it.

Every line is spoken by espeak-ng with a voice, a pace and a pitch of its own
(not the aligner's reference), trimmed to its speech (the first and the last
sample above -40 dBFS, which is the truth), and the lines are laid one after
the other: pauses of random length, or none at all after a third of the lines
inside a sentence. Then a short room reverberation (sox) and white noise
20 dB below the speech. The randomness is seeded, so a failure repeats.

Usage: make_speech.py lesson|lexicon OUT_FOLDER
Writes OUT_FOLDER/speech.wav, text.txt (code page 1250, CR LF) and truth.txt
(begin TAB end in milliseconds per line).
"""

import array
import math
import random
import subprocess
import sys
import wave
from pathlib import Path

RATE = 22050
LEVEL = 0.01 * 32768  # -40 dBFS

LESSON = [
    "Am Montag fährt Anna mit dem Zug nach Berlin.",
    "Sie besucht dort ihre Schwester, die in einem kleinen Café arbeitet.",
    "Der Zug ist voll, aber Anna findet einen Platz am Fenster.",
    "Draußen regnet es, und die Felder sind grau und nass.",
    "Neben ihr sitzt ein alter Mann, der eine Zeitung liest.",
    "Nach zwei Stunden hält der Zug in Hannover.",
    "Viele Leute steigen aus, und neue Reisende steigen ein.",
    "Anna trinkt einen Kaffee und isst ein Brötchen mit Käse.",
    "Am Nachmittag kommt sie endlich am Hauptbahnhof an.",
    "Ihre Schwester wartet schon auf dem Bahnsteig und winkt.",
    "Die beiden gehen zusammen zu Fuß durch die Stadt.",
    "Sie sprechen über die Familie, über die Arbeit und über den Urlaub.",
    "Am Abend kochen sie eine Suppe mit Kartoffeln und Gemüse.",
    "Später sehen sie einen alten Film im Fernsehen.",
    "Um Mitternacht sind beide müde und gehen schlafen.",
    "Am nächsten Morgen scheint die Sonne über den Dächern.",
    "Anna möchte das Museum besuchen, das am Fluss liegt.",
    "Ihre Schwester muss leider bis zum Abend arbeiten.",
    "Also geht Anna allein und kauft sich eine Karte.",
    "Im Museum sieht sie Bilder aus vielen Jahrhunderten.",
    "Am Sonntag fährt sie mit dem Zug wieder nach Hause.",
]

WORDS = ("Haus Baum Tisch Fenster Schule Wasser Brot Stuhl Garten Straße Blume Vogel "
         "Wolke Sonne Kirche Brücke Zeitung Schlüssel Teller Lampe Kissen Spiegel "
         "Schrank Mantel Handschuh Apfel Birne Kuchen Messer Gabel").split()


def syntagms(sentence):
    """Splits a sentence at its commas and, when long, once more in the middle."""
    parts = [p.strip() for p in sentence.replace(", ", ",|").split("|")]
    out = []
    for part in parts:
        words = part.split()
        if len(words) > 4:
            half = len(words) // 2
            out += [" ".join(words[:half]), " ".join(words[half:])]
        else:
            out.append(part)
    return out


def speak(text, folder):
    path = folder / "line.wav"
    subprocess.run(["espeak-ng", "-v", "de+f3", "-s", "140", "-p", "70", "-w", str(path), text],
                   check=True)
    with wave.open(str(path)) as w:
        assert w.getframerate() == RATE and w.getsampwidth() == 2
        samples = array.array("h", w.readframes(w.getnframes()))
    loud = [i for i, s in enumerate(samples) if abs(s) >= LEVEL]
    return samples[loud[0]:loud[-1] + 1]


def write_wav(path, samples):
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(samples.tobytes())


def read_wav(path):
    with wave.open(str(path)) as w:
        return array.array("h", w.readframes(w.getnframes()))


def add_noise(samples, speech_spans, rng):
    power = sum(float(s) * s for a, b in speech_spans for s in samples[a:b + 1])
    count = sum(b - a + 1 for a, b in speech_spans)
    noise = math.sqrt(power / count) / 10.0  # 20 dB below the speech
    return array.array("h", (max(-32768, min(32767, int(s + rng.gauss(0.0, noise))))
                             for s in samples))


def main(kind, folder):
    folder.mkdir(parents=True, exist_ok=True)
    rng = random.Random(31)
    if kind == "lesson":
        lines, sentence_end = ["#Eine Reise nach Berlin"], [True]
        for sentence in LESSON:
            parts = syntagms(sentence)
            lines += parts
            sentence_end += [False] * (len(parts) - 1) + [True]
    else:
        lines, sentence_end = WORDS, [True] * len(WORDS)
    inside = [i for i, end in enumerate(sentence_end) if not end]
    joined = set(rng.sample(inside, len(inside) // 3)) if kind == "lesson" else set()
    clean = array.array("h", [0] * RATE)
    spans, truth = [], []
    for i, line in enumerate(lines):
        if line.startswith("#"):
            truth.append("#\t#")
            continue
        speech = speak(line, folder)
        spans.append((len(clean), len(clean) + len(speech) - 1))
        truth.append("%d\t%d" % (spans[-1][0] * 1000 // RATE, spans[-1][1] * 1000 // RATE))
        clean += speech
        if i not in joined:
            pause = 1.0 if kind == "lexicon" else rng.uniform(0.25, 1.2)
            clean += array.array("h", [0] * int(pause * RATE))
    clean += array.array("h", [0] * RATE)
    write_wav(folder / "clean.wav", clean)
    subprocess.run(["sox", str(folder / "clean.wav"), str(folder / "room.wav"),
                    "reverb", "25", "50", "20"], check=True)
    room = read_wav(folder / "room.wav")[:len(clean)]
    write_wav(folder / "speech.wav", add_noise(room, spans, rng))
    (folder / "text.txt").write_bytes("\r\n".join(lines).encode("cp1250") + b"\r\n")
    (folder / "truth.txt").write_text("\n".join(truth) + "\n")


if __name__ == "__main__":
    main(sys.argv[1], Path(sys.argv[2]))
