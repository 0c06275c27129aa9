#!/usr/bin/env python3
"""gtest-program.py XML -- COMMAND...: runs a GoogleTest program once, all its
test cases in one process, and judges it by the report it writes
(--gtest_output=xml:XML is added to COMMAND). Prints the program's output,
then each failed case with its messages and a count. Exits 1 when a case
failed, when the program ended with an error status, or when it wrote no
report (it crashed or was killed; the output then shows the case it was
running). COMMAND may start with an emulator: the report's path is given
to a Windows program as Z:<path>."""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET


def report_flag(xml, command):
    windows = any(a.lower().endswith(".exe") for a in command)
    path = "Z:" + xml if windows else xml
    return "--gtest_output=xml:" + path


def main():
    if len(sys.argv) < 4 or sys.argv[2] != "--":
        print(__doc__, file=sys.stderr)
        return 2
    xml = os.path.abspath(sys.argv[1])
    command = sys.argv[3:]
    try:
        os.remove(xml)
    except FileNotFoundError:
        pass
    sys.stdout.flush()
    status = subprocess.call(command + [report_flag(xml, command)], stdin=subprocess.DEVNULL)
    sys.stdout.flush()

    try:
        root = ET.parse(xml).getroot()
    except (OSError, ET.ParseError) as e:
        print(f"gtest-program: no report from the program (status {status}): {e}")
        return 1

    failed, skipped, ran = [], 0, 0
    for case in root.iter("testcase"):
        name = f"{case.get('classname')}.{case.get('name')}"
        if case.get("status") == "notrun":
            continue
        ran += 1
        problems = case.findall("failure") + case.findall("error")
        if problems:
            failed.append((name, problems))
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
    for name, problems in failed:
        print(f"FAILED: {name}")
        for p in problems:
            text = (p.get("message") or p.text or "").strip()
            for line in text.splitlines()[:20]:
                print(f"    {line}")
    print(f"gtest: {ran - len(failed) - skipped} passed, {len(failed)} failed, {skipped} skipped")
    if status != 0 and not failed:
        print(f"gtest-program: the program ended with status {status}")
    return 1 if failed or status != 0 or ran == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
