// A KWin script of the tests: every tenth of a second it hands the test
// desktop's report service (kwin_desktop.py) the area KWin leaves for windows
// beside the panel and the frame of every normal window, as KWin places it,
// with the app id and the class KWin knows it by. Plasma 5 and 6 name the
// window list differently.
function rect(r) {
    return `${Math.round(r.x)} ${Math.round(r.y)} ${Math.round(r.width)} ${Math.round(r.height)}`;
}

function report() {
    const windows = workspace.windowList ? workspace.windowList() : workspace.clientList();
    const screen = workspace.activeScreen;
    const lines = [
        `screen ${rect(workspace.clientArea(KWin.ScreenArea, screen, workspace.currentDesktop))}`,
        `workarea ${rect(workspace.clientArea(KWin.MaximizeArea, screen, workspace.currentDesktop))}`,
    ];
    for (const w of windows) {
        // The panel is a layer-shell surface that KWin calls normal; like
        // every panel it stays off the task bar.
        if (!w.normalWindow || w.skipTaskbar)
            continue;
        lines.push(`window ${rect(w.frameGeometry)} ${w.caption}`);
        lines.push(`identity ${w.desktopFileName || "-"} ${w.resourceClass}`);
    }
    callDBus("org.vitayear.DesktopReport", "/", "org.vitayear.DesktopReport", "Write", lines.join("\n") + "\n");
}

const timer = new QTimer();
timer.interval = 100;
timer.timeout.connect(report);
timer.start();
