"""The window as assistive technology sees it over AT-SPI.

  atspi_window.py show          prints the tree: role, accessible name and
                                text of every object of the application
  atspi_window.py echo ADDRESS  types ADDRESS into "IP Address", presses
                                "Quorl!" and, once "Return Status" is filled,
                                prints every box by its accessible name

Exits non-zero when the window does not appear on the accessibility bus, or
its controls are not all listed there, within 20 s, or an echo does not
finish in time. Used by scripts/show_accessibility_tree.sh and
packaging/linux/check_deb.sh."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The role of a push button, as AT-SPI 2.46 (Debian 12) and 2.56 (Debian 13)
# name it.
BUTTON_ROLE_NAMES = {"push button", "button"}
BOX_NAMES = ["Host Name", "IP Address", "Send", "Return Status", "Address (dec)",
             "Round Trip Time", "Data Packet Size", "Data Returned", "Data Pointer"]


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
    if "Text" not in node.get_interfaces():
        return ""
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def show(node, depth=0):
    print(f"{'  ' * depth}{node.get_role_name()}: {node.get_name()!r} {text_of(node)!r}")
    for i in range(node.get_child_count()):
        show(node.get_child_at_index(i), depth + 1)


def controls_of(application, seconds):
    """The boxes by accessible name and the button, once all are listed.

    A newer accessibility registry lists an application a moment before its
    window's objects, so the first reads can find an empty tree."""
    deadline = time.monotonic() + seconds
    while True:
        nodes = list(descendants(application))
        boxes = {node.get_name(): node for node in nodes if node.get_role_name() == "text"}
        buttons = [node for node in nodes
                   if node.get_role_name() in BUTTON_ROLE_NAMES and node.get_name() == "Quorl!"]
        if buttons and all(name in boxes for name in BOX_NAMES):
            return boxes, buttons[0]
        if time.monotonic() >= deadline:
            missing = [name for name in BOX_NAMES if name not in boxes]
            if not buttons:
                missing.append('button "Quorl!"')
            sys.exit(f"Not listed on the accessibility bus within {seconds} s: {', '.join(missing)}.")
        application.clear_cache()
        time.sleep(0.1)


def echo(application, address):
    boxes, button = controls_of(application, 20)
    Atspi.EditableText.set_text_contents(boxes["IP Address"], address)
    button.do_action(0)
    deadline = time.monotonic() + 10
    while not text_of(boxes["Return Status"]) and time.monotonic() < deadline:
        time.sleep(0.05)
    for name in BOX_NAMES:
        print(f"{name}: {text_of(boxes[name])}")


application = find_application("Quorl", 20)
if application is None:
    sys.exit("The application Quorl did not appear on the accessibility bus.")
if sys.argv[1:2] == ["echo"] and len(sys.argv) == 3:
    echo(application, sys.argv[2])
else:
    controls_of(application, 20)
    show(application)
