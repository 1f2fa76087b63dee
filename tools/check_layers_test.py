#!/usr/bin/env python3
"""The layer check on small trees: includes down or across a floor pass, an
include up fails and is named, whether the including file is portable or not."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layers.py")


class LayerCheckTest(unittest.TestCase):
    def check(self, files):
        with tempfile.TemporaryDirectory() as root:
            for path, text in files.items():
                os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
                with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                    f.write(text)
            run = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
            return run.returncode, run.stdout

    def test_down_and_across_pass_and_up_fails(self):
        tree = {
            "common/LocalDate.h": "#pragma once\n",
            "phone/PhoneStamp.cpp": '#include "common/LocalDate.h"\n#include "serial/SerialPort.h"\n',
            "grid/GridWindow.cpp": '#include "calendar/CalendarControl.h"\n',
        }
        self.assertEqual(self.check(tree), (0, "layers: 0 upward includes\n"))
        tree["common/LocalDate.cpp"] = '#include "common/LocalDate.h"\n#include "calendar/CalendarMonth.h"\n'
        tree["common/CMakeLists.txt"] = "target_sources(velarmon_core PRIVATE LocalDate.cpp)\n"
        tree["phone/PhoneStamp.h"] = '  #  include "worker/RunExchange.h"\n'
        self.assertEqual(self.check(tree), (1, "common/LocalDate.cpp includes calendar/CalendarMonth.h, a higher floor\n"
                                               "phone/PhoneStamp.h includes worker/RunExchange.h, a higher floor\n"
                                               "layers: 2 upward includes\n"))


if __name__ == "__main__":
    unittest.main()
