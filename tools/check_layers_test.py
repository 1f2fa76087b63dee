#!/usr/bin/env python3
"""The layer check on small trees: includes and calls down or across a floor
pass; an include up, or a use of what a higher floor defines, fails and is
named, whether the file is portable or not."""

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
        self.assertEqual(self.check(tree), (0, "layers: 0 upward includes or uses\n"))
        tree["common/LocalDate.cpp"] = '#include "common/LocalDate.h"\n#include "calendar/CalendarMonth.h"\n'
        tree["common/CMakeLists.txt"] = "target_sources(velarmon_core PRIVATE LocalDate.cpp)\n"
        tree["phone/PhoneStamp.h"] = '  #  include "worker/RunExchange.h"\n'
        self.assertEqual(self.check(tree), (1, "common/LocalDate.cpp includes calendar/CalendarMonth.h, a higher floor\n"
                                               "phone/PhoneStamp.h includes worker/RunExchange.h, a higher floor\n"
                                               "layers: 2 upward includes or uses\n"))

    def test_a_use_of_what_a_higher_floor_defines_fails(self):
        tree = {
            "app/Application.h": "#pragma once\nclass Application;\nextern Application* TheApp;\n",
            "app/Application.cpp": '#include "app/Application.h"\nApplication* TheApp = nullptr;\n',
            # A member of the same name, a comment and a text do not count.
            "grid/GridWindow.cpp": "// TheApp\nvoid GridWindow::Paint()\n{\n"
                                   '    host_.TheApp();\n    Show("TheApp");\n}\n',
        }
        self.assertEqual(self.check(tree), (0, "layers: 0 upward includes or uses\n"))
        tree["models/GenericTableModel.cpp"] = "bool Open()\n{\n    return TheApp != nullptr;\n}\n"
        # Declared on the lowest floor, defined on the highest: the header
        # itself reaches up, and so does its caller.
        tree["common/AppLink.h"] = "#pragma once\nHWND AppFrame();\n"
        tree["app/AppLink.cpp"] = '#include "common/AppLink.h"\nHWND AppFrame()\n{\n    return nullptr;\n}\n'
        tree["grid/MDIChild.cpp"] = '#include "common/AppLink.h"\nvoid Close()\n{\n    Send(AppFrame());\n}\n'
        self.assertEqual(self.check(tree), (1, "common/AppLink.h uses AppFrame, which app/AppLink.cpp defines on a "
                                               "higher floor\n"
                                               "grid/MDIChild.cpp uses AppFrame, which app/AppLink.cpp defines on a "
                                               "higher floor\n"
                                               "models/GenericTableModel.cpp uses TheApp, which app/Application.cpp "
                                               "defines on a higher floor\n"
                                               "layers: 3 upward includes or uses\n"))

if __name__ == "__main__":
    unittest.main()
