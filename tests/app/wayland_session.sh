#!/usr/bin/env bash
# The program on a headless Wayland compositor, read through the accessibility bus: the main
# window opens in its compact layout, a document opens over it and closes again, a film's
# picture changes on screen; the saver's X-only options say so. Screenshots go to $KV_WAYLAND_SHOTS when it names a folder.
# Usage: wayland_session.sh KELVARDO SAVER. 77: a tool the check needs is missing here.
set -u
kelvardo=$1
saver=$2
skip() { echo "SKIP: $*"; exit 77; }

if [ -z "${KV_IN_PRIVATE_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing"
  KV_IN_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
command -v weston >/dev/null || skip "weston is missing"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null || skip "Qt's Wayland plugin is missing"
launcher=""
for l in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$l" ] && launcher=$l && break
done
[ -n "$launcher" ] || skip "at-spi2-core is missing"
python=""
for p in /usr/bin/python3 python3; do
  "$p" -c "import pyatspi" 2>/dev/null && python=$p && break
done
[ -n "$python" ] || skip "python3-pyatspi is missing"

runtime=$(mktemp -d)
chmod 700 "$runtime"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$runtime HOME=$runtime/home XDG_CONFIG_HOME=$runtime/config XDG_DATA_HOME=$runtime/data
mkdir -p "$HOME"
unset DISPLAY XSCREENSAVER_WINDOW

"$launcher" --launch-immediately &
pids+=($!)
# --debug lets the screenshooter in: the film is checked on the screen itself.
weston --backend=headless-backend.so --use-pixman --socket=kv-wayland --width=1024 --height=768 \
  --no-config --idle-time=0 --debug >"$runtime/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$runtime/kv-wayland" ] && break; sleep 0.1; done
[ -S "$runtime/kv-wayland" ] || { cat "$runtime/weston.log"; echo "FAIL: weston did not start"; exit 1; }
export WAYLAND_DISPLAY=kv-wayland QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

fail=0
# The compact design itself, which a larger screen would otherwise show scaled.
"$kelvardo" HWI --scale 1 >"$runtime/kelvardo.log" 2>&1 &
pids+=($!)
KV_RUNTIME=$runtime "$python" - <<'PY' || fail=1
import os, subprocess, sys, time
import pyatspi

def until(what, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None

def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == "The Kel-Vardo Folivra":
            return a

def window(name):
    a = app()
    for w in a or []:
        if w is not None and w.name == name and w.getState().contains(pyatspi.STATE_SHOWING):
            return w

def find(node, role, name):
    for child in node:
        if child is None:
            continue
        if child.getRoleName() == role and child.name == name:
            return child
        hit = find(child, role, name)
        if hit:
            return hit

def shot(name):
    """The screen as (width, height, RGB bytes), or None when it cannot be taken; kept in
    $KV_WAYLAND_SHOTS when that names a folder."""
    before = set(os.listdir("."))
    subprocess.run(["weston-screenshooter"], check=False, capture_output=True)
    made = [f for f in os.listdir(".") if f not in before and f.endswith(".png")]
    if not made:
        return None
    try:
        ppm = subprocess.run(["convert", made[0], "ppm:-"], capture_output=True).stdout
    except OSError:
        ppm = b""
    folder = os.environ.get("KV_WAYLAND_SHOTS")
    if folder:
        os.replace(made[0], os.path.join(folder, name))
    else:
        os.remove(made[0])
    # P6: four fields apart by single blanks, then the pixels.
    fields, at = [], 0
    while len(fields) < 4 and at < len(ppm):
        end = at
        while end < len(ppm) and ppm[end] not in b" \t\r\n":
            end += 1
        if end > at:
            fields.append(ppm[at:end])
        at = end + 1
    if len(fields) < 4 or fields[0] != b"P6":
        return None
    w, h = int(fields[1]), int(fields[2])
    return (w, h, ppm[at:at + w * h * 3])

def changed_rows(a, b):
    """The first and last screen rows that differ between two shots, below the desktop's panel
    (its clock moves on its own)."""
    w = a[0]
    rows = [y for y in range(40, a[1]) if a[2][y * w * 3:(y + 1) * w * 3] != b[2][y * w * 3:(y + 1) * w * 3]]
    return (rows[0], rows[-1]) if rows else None

def check(ok, what):
    if not ok:
        print("FAIL:", what)
        sys.exit(1)

os.chdir(os.environ["KV_RUNTIME"])
# The splash window carries the title too; the main window is the one with the year buttons.
def main_window():
    w = window("The Kel-Vardo Folivra")
    return w if w is not None and find(w, "push button", "1955") else None
main = until(main_window, 40)
check(main, "the main window is not shown")
def size():
    box = main.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return (box.width, box.height)
# The compact layout, not the maximised window the compositor was first asked for.
check(until(lambda: size() == (800, 607), 5), "the main window is %dx%d, not 800x607" % size())
for caption in ("1955", "1956", "1957", "SlideShow", "Exit"):
    button = find(main, "push button", caption)
    check(button and button.getState().contains(pyatspi.STATE_SHOWING), "no button " + caption)
time.sleep(1)
shot("wayland-main-window.png")

find(main, "push button", "1955").queryAction().doAction(0)
description = find(main, "push button", "Description")
check(until(lambda: description.getState().contains(pyatspi.STATE_SENSITIVE), 10), "1955 was not chosen")
description.queryAction().doAction(0)
viewer = until(lambda: window("The Kel-Vardo Folivra       1955 Description"))
check(viewer, "the document viewer did not open")
time.sleep(1)
shot("wayland-document-viewer.png")
# The document is read as itself: a text a reader can focus, with no name over it.
text = find(viewer, "text", "")
check(text and all(text.getState().contains(s) for s in (pyatspi.STATE_FOCUSABLE, pyatspi.STATE_READ_ONLY)),
      "the document is not a focusable read-only text")
check(len(text.queryText().getText(0, -1).strip()) > 20, "the document's text cannot be read")
find(viewer, "push button", "OK").queryAction().doAction(0)
check(until(lambda: not window("The Kel-Vardo Folivra       1955 Description"), 10), "the viewer did not close")
check(main_window(), "the main window went with the viewer")

# A film: its picture on screen moves to the film's end, not only the bar's clock and slider.
# A menu entry runs its action before it answers, and the movie window runs modally: the answer
# comes when the window has closed.
pyatspi.setTimeout(2000, 15000)
try:
    find(main, "menu item", "Movies").queryAction().doAction(0)
except Exception:
    pass
movies = until(lambda: window("Kel-Vardo Movies"), 20)
check(movies, "the movie window did not open")
end_button = until(lambda: find(movies, "push button", "Go to the end"), 10)
check(end_button and end_button.getState().contains(pyatspi.STATE_SHOWING), "the film did not open")
time.sleep(1)
start = shot("wayland-film-start.png")
if start is None:
    print("SKIP (film picture): the screen cannot be taken (weston-screenshooter, convert)")
else:
    end_button.queryAction().doAction(0)
    time.sleep(1.5)
    end = shot("wayland-film-end.png")
    rows = changed_rows(start, end) if end else None
    # The bar is 36 pixels high: a change over more rows reaches into the picture.
    check(rows and rows[1] - rows[0] > 100, "the film's picture did not change on screen (rows %s)" % (rows,))
find(movies, "push button", "Exit").queryAction().doAction(0)
check(until(lambda: not window("Kel-Vardo Movies"), 10), "the movie window did not close")
PY
if [ $fail -ne 0 ]; then
  cat "$runtime/kelvardo.log"
fi

# The saver: a window to draw into is an X11 thing.
out=$("$saver" -window-id 0x400001 2>&1)
rc=$?
if [ $rc -ne 2 ] || ! grep -q "X11" <<<"$out"; then
  echo "FAIL: -window-id on Wayland gave $rc: $out"
  fail=1
fi
timeout 3 "$saver" -root >/dev/null 2>"$runtime/saver.err"
rc=$?
if [ $rc -ne 124 ] || ! grep -q -- "-root draws on the X11 root window" "$runtime/saver.err"; then
  echo "FAIL: -root on Wayland gave $rc: $(cat "$runtime/saver.err")"
  fail=1
fi
[ $fail -eq 0 ] && echo "PASS"
exit $fail
