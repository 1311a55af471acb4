"""Prints the window's accessibility tree as a screen reader sees it over
AT-SPI: role, accessible name and text of every object of the application
"Quorl". Started by scripts/show_accessibility_tree.sh."""
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


def text_of(node):
    if "Text" not in node.get_interfaces():
        return ""
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def show(node, depth):
    print(f"{'  ' * depth}{node.get_role_name()}: {node.get_name()!r} {text_of(node)!r}")
    for i in range(node.get_child_count()):
        show(node.get_child_at_index(i), depth + 1)


application = find_application("Quorl", 10)
if application is None:
    sys.exit("The application Quorl did not appear on the accessibility bus.")
show(application, 0)
