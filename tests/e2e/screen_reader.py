#!/usr/bin/python3
"""A student who cannot see the screen works through the demo course.

The real program runs under Xvfb with a window manager, in a D-Bus session
that the test starts on that screen, so that the accessibility bus and its
registry (which turns the keys the test sends into X key events) know the
display. Everything the test learns
it reads from the accessibility tree, as a screen reader does, and
everything it does it does with keys: it walks the main window's tree, does
the lexicon drill of lesson 1 and its after-text questions, and reads and
takes the completion dialog after each.

Usage: screen_reader.py PROGRAM DEMO_COURSE LSAN_SUPPRESSIONS
"""
import importlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Imported inside the D-Bus session only: the import reaches for the bus.
pyatspi = None

WAIT_S = 20

KEYSYMS = {"Tab": 0xFF09, "Return": 0xFF0D, "Home": 0xFF50, "Up": 0xFF52,
           "Right": 0xFF53, "Down": 0xFF54, "space": 0x20}


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=WAIT_S):
    """Polls probe() until it gives something true; fails naming `what`."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    raise Failure("timed out waiting for " + what)


def press(key):
    code = KEYSYMS[key] if key in KEYSYMS else ord(key)
    pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_SYM)


def children(acc):
    try:
        return [acc.getChildAtIndex(i) for i in range(acc.childCount)]
    except Exception:  # an object that went away while it was read
        return []


def descendants(acc, depth=0):
    for child in children(acc):
        if child is None:
            continue
        yield child
        if depth < 12:
            yield from descendants(child, depth + 1)


def find(root, role, name=None):
    for acc in descendants(root):
        try:
            if acc.getRole() == role and (name is None or acc.name == name):
                return acc
        except Exception:
            continue
    return None


def find_all(root, role):
    return [a for a in descendants(root) if a.getRole() == role]


def text_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def has(acc, state):
    """The object's state as it is now: the client's cache may lag behind."""
    try:
        acc.clearCache()
        return acc.getState().contains(state)
    except Exception:  # an object that went away while it was read
        return False


def focused(root):
    """The innermost object that has the keyboard focus."""
    inner = None
    for acc in descendants(root):
        if has(acc, pyatspi.STATE_FOCUSED):
            inner = acc
    return inner


def dump(acc, depth=0, out=None):
    out = [] if out is None else out
    try:
        out.append("  " * depth + "%s %r %r" % (acc.getRoleName(), acc.name, acc.description))
    except Exception:
        return out
    for child in children(acc):
        if child is not None and depth < 10:
            dump(child, depth + 1, out)
    return out


class Screen:
    """Xvfb with openbox: new windows take the keyboard, as on a desktop."""

    def __init__(self):
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            stdout=subprocess.PIPE)
        self.display = ":" + self.xvfb.stdout.readline().decode().strip()
        os.environ["DISPLAY"] = self.display
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
        wait_for("the window manager", lambda: b"window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True).stdout)

    def close(self):
        for process in (self.wm, self.xvfb):
            process.terminate()
            process.wait(10)


class Program:
    def __init__(self, binary, course, suppressions, home):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", TOLVAREN_SOUND="virtual",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", HOME=home,
                   LSAN_OPTIONS="suppressions=%s:print_suppressions=0" % suppressions)
        self.process = subprocess.Popen([binary, "--no-splash", course], cwd=course, env=env)
        self.app = wait_for("the program on the accessibility bus", self.find_app)

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            if app is not None and app.name == "tolvaren":
                return app
        return None

    def window(self, name_starts):
        """A top-level window of the program, once it is there."""
        def probe():
            for window in children(self.app):
                if window is not None and (window.name or "").startswith(name_starts):
                    if has(window, pyatspi.STATE_SHOWING):
                        return window
            return None
        return wait_for("the window " + name_starts, probe)

    def gone(self, window_name):
        return all(w is None or w.name != window_name or
                   not has(w, pyatspi.STATE_SHOWING) for w in children(self.app))

    def end(self):
        self.process.send_signal(signal.SIGTERM)
        code = self.process.wait(30)
        if code != 0:
            raise Failure("the program ended with %d on SIGTERM" % code)


def read_lines(path, codec):
    with open(path, "rb") as f:
        return f.read().decode(codec).split("\r\n")


def expect(condition, message):
    if not condition:
        raise Failure(message)


def tree_cells(tree):
    return [c for c in children(tree) if c.getRole() in (pyatspi.ROLE_TABLE_CELL,
                                                          pyatspi.ROLE_TREE_ITEM)]


def current_cell(main):
    tree = find(main, pyatspi.ROLE_TREE, "Упражнения курса")
    cells = [c for c in tree_cells(tree) if has(c, pyatspi.STATE_FOCUSED)]
    return cells[0] if cells else None


def cell_name(main):
    cell = current_cell(main)
    return None if cell is None else cell.name


def press_until(key, what, probe):
    """Presses the key and waits for its effect: the program may be slow."""
    press(key)
    return wait_for(what + " after " + key, probe)


def go_down_to(main, name):
    """Down through the visible nodes until the current one is `name`."""
    for _ in range(40):
        now = cell_name(main)
        if now == name:
            return current_cell(main)
        press_until("Down", "another node", lambda: cell_name(main) not in (None, now))
    raise Failure("no node %r below the current one" % name)


def walk_main_window(main):
    tree = find(main, pyatspi.ROLE_TREE, "Упражнения курса")
    expect(tree is not None, "the course tree has no name")
    cells = {c.name: c.description for c in tree_cells(tree)}
    expect(cells.get("Урок 1. Утро Анны") == "раздел", "lesson 1 node: %r" % cells)
    for button in ("Новое имя", "Выбрать имя", "Преподаватель", "Выполнить", "Отчет", "Выход"):
        expect(find(main, pyatspi.ROLE_PUSH_BUTTON, button) is not None, "no button " + button)
    expect(find(main, pyatspi.ROLE_TEXT, "Описание") is not None, "no description pane")
    wait_for("the keyboard in the course tree",
             lambda: focused(main) is not None and focused(main).getRole() in
             (pyatspi.ROLE_TREE, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TREE_ITEM))


def expand(main):
    """Right opens the current node: its children come into the tree."""
    tree = find(main, pyatspi.ROLE_TREE, "Упражнения курса")
    shown = len(tree_cells(tree))
    press_until("Right", "the node's children", lambda: len(tree_cells(tree)) > shown)


def focused_name(window):
    acc = focused(window)
    return None if acc is None else acc.name


def choose_in_list(window, choices, wanted):
    """Home, then Down to the wanted entry, each key heard before the next."""
    press_until("Home", "the first entry", lambda: focused_name(window) == choices[0])
    for row in range(1, choices.index(wanted) + 1):
        press_until("Down", "entry %d" % row, lambda: focused_name(window) == choices[row])


def lexicon_drill(program, main, course):
    expressions = read_lines(os.path.join(course, "DataTest/L01/Lex.txt"), "cp1250")
    translations = read_lines(os.path.join(course, "DataTest/L01/LexTr.txt"), "cp1251")
    for heading in ("Урок 1. Утро Анны", "Подготовка к тексту"):
        go_down_to(main, heading)
        expand(main)
    cell = go_down_to(main, "Тренировка слов")
    expect(cell.description == "не выполнено", "drill node before: %r" % cell.description)
    press("Return")
    drill = program.window("Тренировка лексики")
    buttons = {b.name for b in find_all(drill, pyatspi.ROLE_PUSH_BUTTON)}
    expect({"Подтверждение", "Помощь", "Выход"} <= buttons, "drill buttons: %r" % buttons)
    while not program.gone(drill.name):
        shown = text_of(find(drill, pyatspi.ROLE_TEXT, "Исходное выражение"))
        choices = [c.name for c in find_all(find(drill, pyatspi.ROLE_LIST, "Выберите правильный перевод"),
                                            pyatspi.ROLE_LIST_ITEM)]
        choose_in_list(drill, choices, translations[expressions.index(shown)])
        press_until("Return", "the next expression", lambda: program.gone(drill.name) or text_of(
            find(drill, pyatspi.ROLE_TEXT, "Исходное выражение")) != shown)
    take_completion(program, "Вы успешно выполнили упражнение.")
    wait_for("the keyboard back on the drill's node", lambda: cell_name(main) == "Тренировка слов")


def shown_answers(window):
    # Qt gives a group the role "panel" on this bus.
    group = find(window, pyatspi.ROLE_PANEL, "Варианты ответов")
    expect(group is not None, "no group of answers")
    return [b for b in find_all(group, pyatspi.ROLE_RADIO_BUTTON) if has(b, pyatspi.STATE_SHOWING)]


def question_drill(program, main, course):
    questions = read_lines(os.path.join(course, "DataTest/L01/Quest.txt"), "cp1250")
    answers = "\r\n".join(read_lines(os.path.join(course, "DataTest/L01/Answ.txt"), "cp1250"))
    right = [block.split("\r\n")[1] for block in answers.split("#")[1:]]
    go_down_to(main, "Работа с текстом")
    expand(main)
    go_down_to(main, "Ответы на вопросы")
    press("Return")
    window = program.window("Послетекстовые вопросы")
    while not program.gone(window.name):
        boxes = shown_answers(window)
        asked = boxes[0].description
        position = [b.name for b in boxes].index(right[questions.index(asked)])
        press_until(str(position + 1), "the answer checked and focused",
                    lambda: has(boxes[position], pyatspi.STATE_CHECKED) and
                    has(boxes[position], pyatspi.STATE_FOCUSED))
        press_until("Return", "the next question", lambda: program.gone(window.name) or
                    shown_answers(window)[0].description != asked)
    take_completion(program, "Ошибок: 0. Рекомендуется отметить упражнение как выполненное")


def take_completion(program, said):
    """Reads the completion dialog and leaves it by Enter. The anonymous user
    keeps no marks: the mark button is there, disabled, and Enter leaves."""
    dialog = program.window("Результаты")
    texts = [text_of(t) for t in find_all(dialog, pyatspi.ROLE_TEXT)]
    expect(said in texts, "the completion dialog says %r" % texts)
    mark = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Отметить упражнение как выполненное")
    expect(mark is not None and not has(mark, pyatspi.STATE_ENABLED),
           "the anonymous user is offered the mark")
    for choice in ("Повторить упражнение еще раз", "Просто выйти из упражнения"):
        button = find(dialog, pyatspi.ROLE_PUSH_BUTTON, choice)
        expect(button is not None and has(button, pyatspi.STATE_FOCUSABLE), "no button " + choice)
    press_until("Return", "the completion dialog to close", lambda: program.gone(dialog.name))


def session_main(binary, demo, suppressions):
    global pyatspi
    pyatspi = importlib.import_module("pyatspi")
    with tempfile.TemporaryDirectory() as scratch:
        course = os.path.join(scratch, "course")
        shutil.copytree(demo, course)
        home = os.path.join(scratch, "home")
        os.mkdir(home)
        program = None
        try:
            program = Program(binary, course, suppressions, home)
            main_window = program.window("Tolvaren")
            walk_main_window(main_window)
            lexicon_drill(program, main_window, course)
            question_drill(program, main_window, course)
            program.end()
            print("screen reader run: ok")
        except Exception:
            if program is not None:
                print("\n".join(dump(program.app)), file=sys.stderr)
                program.process.kill()
            raise


def main():
    if sys.argv[1] == "--in-session":
        session_main(*sys.argv[2:5])
        return
    screen = Screen()
    try:
        run = subprocess.run(["dbus-run-session", "--", sys.executable, __file__, "--in-session"] +
                             sys.argv[1:4])
    finally:
        screen.close()
    sys.exit(run.returncode)


if __name__ == "__main__":
    main()
