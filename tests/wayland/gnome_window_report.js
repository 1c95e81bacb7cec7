// A GNOME Shell extension of the tests: every tenth of a second it writes,
// to the file VITAYEAR_DESKTOP_REPORT names, the area the shell leaves for
// windows on the primary monitor and the frame of every normal window, as
// the shell itself places them:
//   screen X Y W H
//   workarea X Y W H
//   window X Y W H TITLE
//   identity APP -   (the desktop entry its window tracker gives the window)
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

export default class WindowReport extends Extension {
    enable() {
        const path = GLib.getenv('VITAYEAR_DESKTOP_REPORT');
        if (!path)
            return;
        // A new session opens on the overview, which would hide the windows.
        Main.layoutManager.connectObject('startup-complete', () => Main.overview.hide(), this);
        this._timer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, 100, () => {
            const rect = r => `${r.x} ${r.y} ${r.width} ${r.height}`;
            const monitor = global.display.get_primary_monitor();
            const lines = [
                `screen ${rect(global.display.get_monitor_geometry(monitor))}`,
                `workarea ${rect(Main.layoutManager.getWorkAreaForMonitor(monitor))}`,
            ];
            for (const actor of global.get_window_actors()) {
                const win = actor.meta_window;
                if (win.get_window_type() !== Meta.WindowType.NORMAL)
                    continue;
                lines.push(`window ${rect(win.get_frame_rect())} ${win.get_title()}`);
                const app = Shell.WindowTracker.get_default().get_window_app(win);
                lines.push(`identity ${app ? app.get_id() : '-'} -`);
            }
            GLib.file_set_contents(`${path}.new`, `${lines.join('\n')}\n`);
            GLib.rename(`${path}.new`, path);
            return GLib.SOURCE_CONTINUE;
        });
    }

    disable() {
        if (this._timer)
            GLib.source_remove(this._timer);
        this._timer = 0;
        Main.layoutManager.disconnectObject(this);
    }
}
