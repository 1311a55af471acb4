"""Drives the running window over AT-SPI as assistive technology would: types
an address into "IP Address", presses "Quorl!" and prints every box by its
accessible name once "Return Status" is filled. Exits non-zero when the
window does not appear or the echo does not finish in time."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_application(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            if application is not None and application.get_name() == name:
                return application
        time.sleep(0.1)
    return None


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        yield child
        yield from descendants(child)


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def boxes_by_name(application):
    return {node.get_name(): node for node in descendants(application)
            if node.get_role_name() == "text"}


def press(application, name):
    for node in descendants(application):
        if node.get_role_name() == "push button" and node.get_name() == name:
            node.do_action(0)
            return True
    return False


address = sys.argv[1] if len(sys.argv) > 1 else "127.0.0.1"
application = find_application("Quorl", 20)
if application is None:
    sys.exit("The application Quorl did not appear on the accessibility bus.")
boxes = boxes_by_name(application)
Atspi.EditableText.set_text_contents(boxes["IP Address"], address)
if not press(application, "Quorl!"):
    sys.exit('No button "Quorl!".')
deadline = time.monotonic() + 10
while not text_of(boxes["Return Status"]) and time.monotonic() < deadline:
    time.sleep(0.05)
for name in ["Host Name", "IP Address", "Send", "Return Status", "Address (dec)",
             "Round Trip Time", "Data Packet Size", "Data Returned", "Data Pointer"]:
    print(f"{name}: {text_of(boxes[name])}")
