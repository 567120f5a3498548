# shellcheck shell=bash
# Sourced by scripts/play and scripts/test, from the top of the checkout: the
# build belongs to the user who asked for it, never to root by accident.

# Started through sudo, the script has had root for installing packages;
# it starts again as the user who called sudo, so that what it builds is
# theirs and a later run without sudo can use it. A checkout that user does
# not own is left to root.
rerun_as_invoking_user() {
  if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "${SUDO_UID:-0}" -ne 0 ] &&
     [ "$(stat -c %u .)" = "$SUDO_UID" ]; then
    exec sudo -u "$SUDO_USER" -- bash "$@"
  fi
}

# Prints the build directory to use for NAME: NAME itself unless something in
# it belongs to another user (left by a run as root), then NAME-<user>.
build_dir() {
  local name=$1
  if [ "$(id -u)" -ne 0 ] && [ -e "$name" ] &&
     [ -n "$(find "$name" ! -user "$(id -u)" -print -quit 2>/dev/null)" ]; then
    echo "$name/ belongs to another user (an earlier run as root); building in $name-$(id -un)/ instead" >&2
    name="$name-$(id -un)"
  fi
  echo "$name"
}
