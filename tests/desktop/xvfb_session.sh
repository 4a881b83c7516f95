# Sourced by the desktop tests: re-runs the calling script under a virtual X
# server, then gives it a fresh home of its own in $work, removed at the end.
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run and xdotool are needed (scripts/install-deps.sh installs them)"
  exit 1
fi

if [ -z "${ZORBULANT_UNDER_XVFB:-}" ]; then
  ZORBULANT_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
