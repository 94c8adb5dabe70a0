#!/usr/bin/python3
# A GTK 3 window with known text, for the screen lookup checks: prints, once it is shown, the
# screen centre of every character of its label as "CHAR x y", then "READY".
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Pango", "1.0")
from gi.repository import GLib, Gtk, Pango  # noqa: E402

TEXT = sys.argv[1] if len(sys.argv) > 1 else "我们的中文A↑字"
LEFT, TOP = (int(v) for v in (sys.argv[2] if len(sys.argv) > 2 else "40,300").split(","))

window = Gtk.Window(title="capture-gtk")
label = Gtk.Label(label=TEXT)
attributes = Pango.AttrList()
attributes.insert(Pango.attr_size_new(20 * Pango.SCALE))
label.set_attributes(attributes)
window.add(label)
window.set_default_size(420, 120)
window.move(LEFT, TOP)


def report():
    origin = label.get_window().get_origin()
    lx, ly = label.get_layout_offsets()
    layout = label.get_layout()
    offset = 0
    for ch in TEXT:
        rect = layout.index_to_pos(offset)
        # The layout offsets are relative to the label's GDK window, as the origin is.
        x = origin.x + lx + (rect.x + rect.width // 2) // Pango.SCALE
        y = origin.y + ly + (rect.y + rect.height // 2) // Pango.SCALE
        print(f"{ch} {x} {y}", flush=True)
        offset += len(ch.encode("utf-8"))
    print("READY", flush=True)
    return False


window.connect("destroy", Gtk.main_quit)
window.show_all()
GLib.timeout_add(400, report)
Gtk.main()
