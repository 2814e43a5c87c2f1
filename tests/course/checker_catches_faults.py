#!/usr/bin/env python3
"""Breaks copies of a generated demo course one fault at a time and expects the
checker to reject each with a message that names the fault.

Usage: checker_catches_faults.py CHECKER COURSE_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = None
COURSE = None


def read(path):
    return path.read_bytes()


def rewrite(path, data):
    # The copy shares its files with the course through hard links: replace, never edit in place.
    path.unlink()
    path.write_bytes(data)


def crlf_lines(path):
    return read(path).split(b"\r\n")[:-1]


def write_lines(path, lines):
    rewrite(path, b"".join(line + b"\r\n" for line in lines))


def edit_line(path, number, change):
    lines = crlf_lines(path)
    lines[number - 1] = change(lines[number - 1])
    write_lines(path, lines)


def catalogue_field(path, line, field, value):
    def change(text):
        fields = text.split(b"\t")
        fields[field] = value
        return b"\t".join(fields)
    edit_line(path, line, change)


def last_timing_pushed_out(path):
    def change(text):
        begin, end = text.split(b"\t")
        return begin + b"\t" + str(int(end) + 100000).encode()
    lines = crlf_lines(path)
    edit_line(path, len(lines), change)


def first_picture_reversed(path):
    def change(text):
        start, stop, name = text.split(b"\t", 2)
        return b"\t".join([stop, start, name])
    edit_line(path, 1, change)


def answer_block_too_long(path):
    lines = crlf_lines(path)
    write_lines(path, lines[:2] + [b"Noch eine Antwort.", b"Und noch eine."] + lines[2:])


class CheckerCatchesFaults(unittest.TestCase):
    def setUp(self):
        self.temp = None
        self.fresh()

    def tearDown(self):
        self.temp.cleanup()

    def fresh(self):
        """A new copy of the course for the next fault."""
        if self.temp:
            self.temp.cleanup()
        self.temp = tempfile.TemporaryDirectory(prefix="broken-course-")
        self.root = Path(self.temp.name) / "course"
        shutil.copytree(COURSE, self.root, copy_function=os.link)

    def check(self):
        result = subprocess.run([CHECKER, str(self.root)], stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True)
        return result.returncode, result.stdout

    def assert_rejected(self, *expected):
        code, output = self.check()
        self.assertNotEqual(code, 0, f"checker accepted a broken course:\n{output}")
        for text in expected:
            self.assertIn(text, output)

    def test_untouched_course_passes(self):
        code, output = self.check()
        self.assertEqual(code, 0, output)

    def test_catalogue_line_format(self):
        cases = {
            "a line with nine tabs": (lambda p: edit_line(p, 3, lambda t: t.rsplit(b"\t", 1)[0]),
                                      ["InitRegD.txt:3", "9 tabs"]),
            "a kind that is not a number": (lambda p: catalogue_field(p, 4, 5, b"x"),
                                            ["InitRegD.txt:4", "Kind 'x'"]),
            "an info kind above 255": (lambda p: catalogue_field(p, 2, 3, b"300"),
                                       ["InitRegD.txt:2", "InfoKind '300'"]),
            "an anchor beyond the last entry": (lambda p: catalogue_field(p, 5, 2, b"99"),
                                                ["InitRegD.txt:5", "Anchor '99'"]),
            "a data file that is not there": (lambda p: catalogue_field(p, 4, 6, b"L01\\Nope.txt"),
                                              ["InitRegD.txt:4", "Nope.txt"]),
            "a kind that launches nothing": (lambda p: catalogue_field(p, 4, 5, b"9"),
                                             ["InitRegD.txt:4", "kind 9 launches nothing"]),
            "LF line ends": (lambda p: rewrite(p, read(p).replace(b"\r\n", b"\n")),
                             ["InitRegD.txt", "CR LF"]),
        }
        for name, (damage, expected) in cases.items():
            with self.subTest(name):
                self.fresh()
                damage(self.root / "InitRegD.txt")
                self.assert_rejected(*expected)

    def test_tree_order(self):
        # Entry 4 (an exercise of lesson 1) hung under entry 1 would be shown second.
        path = self.root / "InitRegD.txt"
        catalogue_field(path, 4, 1, b"1")
        catalogue_field(path, 4, 2, b"1")
        self.assert_rejected("InitRegD.txt:4", "display order")

    def test_lesson_files(self):
        lesson = "DataTest/L02/"
        cases = {
            "a missing sound": (lambda r: (r / lesson / "Quest.wav").unlink(), ["Quest.wav", "does not exist"]),
            "a timing line less": (lambda r: write_lines(r / lesson / "TextTim.txt",
                                                         crlf_lines(r / lesson / "TextTim.txt")[:-1]),
                                   ["TextTim.txt", "18 timing lines for 19 text lines"]),
            "a syntagm after the end of the sound": (lambda r: last_timing_pushed_out(r / lesson / "TextTim.txt"),
                                                     ["TextTim.txt:19", "after the end of"]),
            "a heading missing from the timing": (lambda r: edit_line(r / lesson / "TextTim.txt", 10,
                                                                      lambda t: b"9000\t9100"),
                                                  ["TextTim.txt:10", "heading lines do not match"]),
            "a translation in UTF-8": (lambda r: rewrite(r / lesson / "Trans.txt",
                                                         read(r / lesson / "Trans.txt").decode("cp1251").encode("utf-8")),
                                       ["Trans.txt", "UTF-8"]),
            "a byte cp1250 does not define": (lambda r: edit_line(r / lesson / "Text.txt", 2, lambda t: t + b"\x81"),
                                              ["Text.txt:2", "cp1250"]),
            "a translation line less": (lambda r: write_lines(r / lesson / "Trans.txt",
                                                              crlf_lines(r / lesson / "Trans.txt")[:-1]),
                                        ["Trans.txt", "do not match"]),
            "a comment on the title": (lambda r: edit_line(r / lesson / "Text.apc", 1, lambda t: b"001" + t[3:]),
                                       ["Text.apc:1", "syntagm 1 does not exist"]),
            "a reversed picture range": (lambda r: first_picture_reversed(r / lesson / "Pict.txt"),
                                         ["Pict.txt:1", "not ordered"]),
            "a picture that is no picture": (lambda r: rewrite(r / lesson / "cake.bmp", b"not a bitmap"),
                                             ["cake.bmp", "not a JPEG or BMP"]),
            "five answers in a block": (lambda r: answer_block_too_long(r / lesson / "Answ.txt"),
                                        ["Answ.txt", "block 1 has 5 answers"]),
            "a statement without key": (lambda r: edit_line(r / lesson / "TrFl.txt", 3, lambda t: t.split(b"\t")[0]),
                                        ["TrFl.txt:3", "key"]),
            "a lexicon translation less": (lambda r: write_lines(r / lesson / "LexTr.txt",
                                                                 crlf_lines(r / lesson / "LexTr.txt")[:-1]),
                                           ["LexTr.txt", "15 translations for 16 expressions"]),
        }
        for name, (damage, expected) in cases.items():
            with self.subTest(name):
                self.fresh()
                damage(self.root)
                self.assert_rejected(*expected)

    def test_course_folder_files(self):
        cases = {
            "a splash tune that is no WAV": (lambda r: rewrite(r / "music.wav", b"RIFF....WAVEjunk"),
                                             ["music.wav", "not a 16-bit PCM WAV"]),
            "no Report folder": (lambda r: (r / "Report").rmdir(), ["Report"]),
            "a help topic without its section": (lambda r: rewrite(r / "DEU_HELP.HLP",
                                                                   read(r / "DEU_HELP.HLP").replace(b'id="QuestEnd"', b'id="x"')),
                                                 ['id="QuestEnd"']),
            "a help context on the text below its heading": (
                lambda r: rewrite(r / "DEU_HELP.HLP", read(r / "DEU_HELP.HLP")
                                  .replace(b'<a id="ctx-30"></a>', b'').replace(b'<p>', b'<p id="ctx-30">', 1)),
                ['id="ctx-30"']),
            "rich text with raw Cyrillic": (lambda r: rewrite(r / "DataTest/course.rtf",
                                                              read(r / "DataTest/course.rtf") + "Ы".encode("cp1251")),
                                            ["course.rtf", "7-bit"]),
        }
        for name, (damage, expected) in cases.items():
            with self.subTest(name):
                self.fresh()
                damage(self.root)
                self.assert_rejected(*expected)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: checker_catches_faults.py CHECKER COURSE_DIR")
    CHECKER, COURSE = sys.argv[1], Path(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
