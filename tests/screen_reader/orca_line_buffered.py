# Starts Orca with its debug log written line by line rather than in blocks,
# so that a test reads what Orca speaks while it runs. Arguments as orca's.
import builtins
import runpy
import sys

log = sys.argv[sys.argv.index("--debug-file") + 1]
real_open = builtins.open


def open_line_buffered(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode and not args and "buffering" not in kwargs:
        return real_open(file, mode, buffering=1, **kwargs)
    return real_open(file, mode, *args, **kwargs)


builtins.open = open_line_buffered
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
