# Sourced by the scripts that run Windows programs: a private, quiet Wine prefix.
QUILLORA_ROOT="${QUILLORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$QUILLORA_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

# Creates the prefix once (about ten seconds). Never read Wine's output through a pipe:
# the first Wine process starts wineserver, which inherits it and keeps it open.
wine_prepare() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
