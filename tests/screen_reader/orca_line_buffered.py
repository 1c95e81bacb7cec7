# Starts Orca with its debug log written line by line rather than in blocks,
# so that a test reads what Orca speaks while it runs. Arguments as orca's.
#
# Orca 48 remembers the objects it found gone by Python's hash of the
# object, which is its address: once such an object is freed, the next one
# made at that address counts as gone too, and Orca ignores its focus and its
# window. On GNOME's Wayland the shell's own short-lived objects die each
# time a window opens, so a message box, or a box Orca meets for the first
# time, is now and then taken for dead. Keeping the gone objects alive keeps
# their addresses from being reused: a run reads what the program offers,
# not where Python happened to put an object.
import builtins
import runpy
import sys

log = sys.argv[sys.argv.index("--debug-file") + 1]
real_open = builtins.open


def open_line_buffered(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode and not args and "buffering" not in kwargs:
        return real_open(file, mode, buffering=1, **kwargs)
    return real_open(file, mode, *args, **kwargs)


def keep_dead_objects():
    try:
        from orca.ax_object import AXObject
    except ImportError:
        return  # Orca 43 keeps no such list
    mark = getattr(AXObject, "_set_known_dead_status", None)
    if mark is None:
        return
    kept = []

    def mark_and_keep(obj, is_dead):
        if is_dead and obj is not None:
            kept.append(obj)
        mark(obj, is_dead)

    AXObject._set_known_dead_status = staticmethod(mark_and_keep)


builtins.open = open_line_buffered
sys.argv[0] = "/usr/bin/orca"
sys.path.insert(0, "/usr/lib/python3/dist-packages")
keep_dead_objects()
runpy.run_path("/usr/bin/orca", run_name="__main__")
