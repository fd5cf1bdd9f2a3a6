# Sourced: the project's private Wine set-up. Creates the prefix the first time
# and maps the test drives T: and U: to folders of the build tree.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$root/build/wine"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
export WINEARCH=win64

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  echo "Creating the Wine prefix in $WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # Unmanaged windows: with no window manager on the virtual screen, Wine
  # otherwise waits two seconds for one at every window that closes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  wineserver -w || true
fi
# Debian's Wine does not load its own fonts (Tahoma, Wingdings, Webdings, ...)
# from its data folder: put them where every Windows program looks.
if [ -d /usr/share/wine/fonts ]; then
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
for d in t u; do
  mkdir -p "$root/build/drives/$d"
  ln -sfn "$root/build/drives/$d" "$WINEPREFIX/dosdevices/$d:"
done
export NEMBA_DRIVE_U_UNIX="$root/build/drives/u"
