# Sourced by the scripts that run Windows programs: a private, quiet Wine prefix with a
# home folder of its own.
#
# Wine links a new prefix's shell folders (Documents, Desktop, ...) to $HOME, so a
# program that writes "Documents\Quillora" in a prefix made with the real HOME writes
# into the user's own ~/Quillora. Every prefix of the project therefore lives in a build
# folder and gets HOME (and the XDG folders Wine reads) inside itself, set before the
# first Wine call. Set QUILLORA_WINEPREFIX before sourcing to choose the prefix; an
# inherited WINEPREFIX is ignored, so a run never lands in a person's own prefix.
QUILLORA_ROOT="${QUILLORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${QUILLORA_WINEPREFIX:-$QUILLORA_ROOT/build/wineprefix}"
export HOME="$WINEPREFIX/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

# Prints every link among the prefix's user folders that leads outside the prefix.
wine_links_outside() {
  local prefix_real link target
  prefix_real="$(realpath -m "$WINEPREFIX")"
  for link in "$WINEPREFIX"/drive_c/users/*/* "$WINEPREFIX"/drive_c/users/*/AppData/*; do
    [ -L "$link" ] || continue
    target="$(realpath -m "$link")"
    case "$target/" in
      "$prefix_real"/*) ;;
      *) printf '%s -> %s\n' "$link" "$target" ;;
    esac
  done
}

# Creates the prefix once (about ten seconds). A prefix made before its runs had a home
# of their own (its shell folders lead to another HOME) is made anew; one outside a
# build folder is never deleted. Never read Wine's output through a pipe: the first
# Wine process starts wineserver, which inherits it and keeps it open.
wine_prepare() {
  if [ -f "$WINEPREFIX/system.reg" ] && [ -n "$(wine_links_outside)" ]; then
    case "$(realpath -m "$WINEPREFIX")" in
      */build/*)
        echo "wine-env: $WINEPREFIX links its shell folders outside itself; making it anew" >&2
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX" ;;
      *)
        echo "wine-env: $WINEPREFIX links its shell folders outside itself:" >&2
        wine_links_outside >&2
        echo "wine-env: it is not in a build folder, so it is left alone; choose another prefix" >&2
        return 1 ;;
    esac
  fi
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  local outside
  outside="$(wine_links_outside)"
  if [ -n "$outside" ]; then
    echo "wine-env: the prefix's shell folders lead outside it:" >&2
    printf '%s\n' "$outside" >&2
    return 1
  fi
}
