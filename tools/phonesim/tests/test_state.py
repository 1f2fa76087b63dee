import json
import os
import tempfile
import unittest

from util import cp

from phonesim import state


class StateTest(unittest.TestCase):
    def test_partial_state_takes_defaults(self):
        st = state.normalise({"model": "SCH-E250", "limits": {"phonebook": 5}, "phonebook": [{"pos": 1, "name": "Я"}]})
        self.assertEqual(st["model"], b"SCH-E250")
        self.assertEqual(st["limits"]["phonebook"], 5)
        self.assertEqual(st["limits"]["memos"], 10)
        self.assertEqual(st["phonebook"][0]["numbers"], [b""] * 5)
        self.assertEqual(st["phonebook"][0]["name"], cp("Я"))

    def test_bad_states(self):
        for raw in ([], {"phonebook": [{"name": "x"}]}, {"memos": [{"pos": 1}, {"pos": 1}]},
                    {"phonebook": [{"pos": 1, "numbers": ["1"]}]}, {"model": "日本"},
                    {"photos": [{"id": 1, "file": "no/such.jpg"}]}, {"movies": [{"id": 1}]},
                    {"uploads": []}, {"uploads": {"songs": []}}, {"uploads": {"pictures": ["x"]}}):
            with self.assertRaises((state.StateError, ValueError), msg=raw):
                state.normalise(raw)

    def test_save_and_load_round_trip_keeps_bytes(self):
        st = state.normalise({"memos": [{"pos": 1, "stamp": "20240101T000000", "text": "x"}]})
        st["memos"][0]["text"] = bytes(range(256))
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "s.json")
            state.save(st, path)
            with open(path, encoding="utf-8") as f:
                json.load(f)
            self.assertEqual(state.load(path)["memos"][0]["text"], bytes(range(256)))

    def test_uploads_and_memory_take_defaults_and_stay_in_arrival_order(self):
        st = state.normalise({"memory": {"free": 5}, "uploads": {"animations": [{"name": "b", "complete": True},
                                                                             {"name": "a"}]}})
        self.assertEqual((st["memory"]["total"], st["uploads"]["melodies"]), (2097152, []))
        doc = json.loads(state.to_json_text(st))
        self.assertEqual([(e["name"], e["complete"], e["lf"]) for e in doc["uploads"]["animations"]],
                         [("b", True, None), ("a", False, None)])
        self.assertIn(b"uploads.animations.1.name=a", state.flat_lines(st))

    def test_records_are_saved_in_position_order(self):
        st = state.normalise({"memos": [{"pos": 5, "text": "b"}, {"pos": 1, "text": "a"}]})
        doc = json.loads(state.to_json_text(st))
        self.assertEqual([m["pos"] for m in doc["memos"]], [1, 5])

    def test_flat_lines(self):
        st = state.normalise({"phonebook": [{"pos": 7, "name": "Иван\r"}], "sms": [{"to": "1", "text": "a"}]})
        lines = state.flat_lines(st)
        self.assertIn(b"phonebook.7.name=" + cp("Иван") + b"\\r", lines)
        self.assertIn(b"phonebook.7.numbers.0=", lines)
        self.assertIn(b"sms.0.to=1", lines)
        self.assertIn(b"limits.memos=10", lines)
        self.assertIn(b"echo=true", lines)

    def test_demo_phone_is_valid(self):
        demo = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "demo_phone.json")
        st = state.load(demo)
        for kind in ("phonebook", "scheduler", "memos", "melodies", "photos", "movies"):
            self.assertGreaterEqual(len(st[kind]), 2, kind)


if __name__ == "__main__":
    unittest.main()
