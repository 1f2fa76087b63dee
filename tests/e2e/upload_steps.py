"""Steps shared by the end-to-end tests that upload files to the phone: the
open-file dialogs, the files they are given, and the boxes the uploads show."""

import struct

import vmharness as h

MELODY_DIALOG = "title:Выбор музыкального файла *.mmf или *.ma2:"
PICTURE_DIALOG = "title:Выбор файла картинки *.jpg"
ANIMATION_DIALOG = "title:Выбор файла анимации или картинки (*.bmp)"
FILE_NAME = 1148
OK = 1

MELODY_ERROR = "Внимание! Произошла ошибка при загрузке музыкального файла!\nПроверьте формат данных."
PICTURE_ERROR = "Внимание! Произошла ошибка при загрузке файла!\nПроверьте размер и формат картинки."


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def sample(size, seed=0):
    """Bytes holding every value, the five the blocks escape among them."""
    return bytes((i * 7 + seed) % 256 for i in range(size))


def bitmap(frames, width, height):
    """A 256-colour bitmap of the frames one above the other, rows unpadded."""
    pixels = bytes((i * 31 + i // 256) % 256 for i in range(frames * width * height))
    header = b"BM" + struct.pack("<IHHI", 1078 + len(pixels), 0, 0, 1078)
    info = struct.pack("<IiiHHIIiiII", 40, width, frames * height, 1, 8, 0, len(pixels), 0, 0, 256, 0)
    palette = bytes(c for i in range(256) for c in (i, i, i, 0))
    return header + info + palette + pixels, pixels


def choose(s, dialog, path):
    """Types the path into the dialog's name box and presses "Записать"."""
    # The dialog is found by its title while it still sets itself up, which
    # may empty the name box again: a user types once it shows.
    s.ok("visible", dialog, "--expect", "1")
    s.ok("settext", dialog, FILE_NAME, windows_path(path))
    s.ok("answer", dialog, OK)
    s.ok("gone", dialog)


def sent(s, command):
    return [c for c in s.sim.commands() if c.startswith(command.encode())]
