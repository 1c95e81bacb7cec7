"""The rest of a Plasma desktop for tests under a bare KWin: a panel the size
of Plasma's default one along the bottom edge (a layer-shell surface that
keeps its height free of windows), and the service that writes what KWin's
report script hands it to the file VITAYEAR_DESKTOP_REPORT names.
Once both are up it loads the report script into KWin.
    kwin_desktop.py REPORT_SCRIPT PANEL_HEIGHT
"""
import os
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("GtkLayerShell", "0.1")
from gi.repository import Gio, GLib, Gtk, GtkLayerShell  # noqa: E402

SERVICE = "org.vitayear.DesktopReport"
INTERFACE = f"""<node><interface name="{SERVICE}">
  <method name="Write"><arg type="s" direction="in"/></method>
</interface></node>"""


def panel(height):
    window = Gtk.Window(title="Panel")
    GtkLayerShell.init_for_window(window)
    GtkLayerShell.set_layer(window, GtkLayerShell.Layer.TOP)
    for edge in (GtkLayerShell.Edge.LEFT, GtkLayerShell.Edge.RIGHT, GtkLayerShell.Edge.BOTTOM):
        GtkLayerShell.set_anchor(window, edge, True)
    GtkLayerShell.auto_exclusive_zone_enable(window)
    window.set_size_request(-1, height)
    window.show_all()
    return window


def write_report(path, text):
    with open(f"{path}.new", "w", encoding="utf-8") as file:
        file.write(text)
    os.replace(f"{path}.new", path)


def load_script(bus, script):
    call = lambda path, iface, method, args, reply: bus.call_sync(  # noqa: E731
        "org.kde.KWin", path, iface, method, args, reply, Gio.DBusCallFlags.NONE, 5000, None)
    (number,) = call("/Scripting", "org.kde.kwin.Scripting", "loadScript",
                     GLib.Variant("(ss)", (script, "vitayear-report")), GLib.VariantType("(i)")).unpack()
    if number < 0:
        sys.exit(f"kwin_desktop: KWin did not load {script}")
    # Plasma 6 serves the script under /Scripting/ScriptN, Plasma 5 under /N.
    for path in (f"/Scripting/Script{number}", f"/{number}"):
        try:
            call(path, "org.kde.kwin.Script", "run", None, None)
            return
        except GLib.Error:
            continue
    sys.exit("kwin_desktop: KWin did not run the report script")


def main():
    script, height = sys.argv[1], int(sys.argv[2])
    path = os.environ["VITAYEAR_DESKTOP_REPORT"]
    keep = panel(height)  # noqa: F841 (shown as long as the loop runs)
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)

    def on_call(_conn, _sender, _path, _iface, _method, params, invocation):
        write_report(path, params.unpack()[0])
        invocation.return_value(None)

    def on_bus(bus, _name):
        bus.register_object("/", node.interfaces[0], on_call, None, None)

    def on_name(bus, _name):
        load_script(bus, script)

    Gio.bus_own_name(Gio.BusType.SESSION, SERVICE, Gio.BusNameOwnerFlags.NONE, on_bus, on_name,
                     lambda *_: sys.exit("kwin_desktop: the report service's name is taken"))
    Gtk.main()


if __name__ == "__main__":
    main()
