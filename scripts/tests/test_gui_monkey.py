"""The GUI monkey's guards, without a display: whatever it types stays inside its scratch
folder, and a file written outside that folder is reported once."""

import importlib.util
import os
import random
import time

import pytest

SCRIPT = os.path.join(os.path.dirname(__file__), os.pardir, "gui-monkey.py")
loading = importlib.util.spec_from_file_location("gui_monkey", SCRIPT)
monkey = importlib.util.module_from_spec(loading)
loading.loader.exec_module(monkey)


def leaves(path, folder):
    return not os.path.realpath(path).startswith(os.path.realpath(folder) + os.sep)


def test_no_entry_can_name_a_place_outside_the_working_folder():
    rng = random.Random(1)
    for _ in range(20000):
        text = monkey.entry_text(rng)
        assert not text.startswith("/") and "~" not in text
        assert ".." not in text.split("/")


@pytest.mark.parametrize("title", ["Open", "Save Pile.kd3d As", "Save Picture", "Unknown"])
def test_file_dialog_answers_stay_in_the_scratch_folder(tmp_path, title):
    scratch = monkey.Scratch(str(tmp_path), repo=str(tmp_path))
    os.makedirs(scratch.files)
    open(os.path.join(scratch.files, "a.kd3d"), "w").close()
    player = monkey.Monkey(random.Random(2), scratch, None, None, "program", None)
    for _ in range(500):
        assert not leaves(player.file_name_for(title), scratch.root)


def test_a_large_dialog_of_unknown_kind_gets_only_file_dialog_answers(tmp_path):
    player = monkey.Monkey(random.Random(3), monkey.Scratch(str(tmp_path), str(tmp_path)),
                           None, None, "program", open(os.devnull, "w"))
    window = monkey.Window(1, "Choose a Folder", 0, 0, 640, 480, False, True)
    assert player.dialog_kind(window) == "file"
    message = monkey.Window(2, "Error", 0, 0, 300, 120, False, True)
    assert player.dialog_kind(message) == "message"


def test_writes_outside_the_scratch_folder_are_reported_once(tmp_path):
    watched = tmp_path / "repository"
    scratch = monkey.Scratch(str(watched / "scratch"), str(tmp_path))
    os.makedirs(scratch.files)
    # The stamp is set into the past rather than the writes into the future: a file dated ahead
    # would look new to a real monkey run started in the next seconds.
    now = time.time()
    old = watched / "old.txt"
    old.write_text("before")
    os.utime(old, (now - 20, now - 20))
    with open(scratch.stamp, "w"):
        pass
    os.utime(scratch.stamp, (now - 10, now - 10))
    written = watched / "written.txt"
    written.write_text("after")
    kept = os.path.join(scratch.files, "saved.kd3d")
    open(kept, "w").close()
    watch = monkey.WriteWatch([str(watched)], scratch, display_number=99)
    assert watch.new_writes() == [str(written)]
    assert watch.new_writes() == []
