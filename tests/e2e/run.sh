#!/usr/bin/env bash
# Runs the end-to-end scenarios (pivolo_e2e.py) on a virtual X display of their own, with a
# session bus that carries the accessibility tree.
# Run as: run.sh path/to/pivolo [scenario...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${PIVOLO_E2E_BUS:-}" ]; then
    exec env PIVOLO_E2E_BUS=1 dbus-run-session -- "$0" "$@"
fi

# Debian's interpreter, which sees the system's pyatspi.
exec "$here/../WithVirtualDisplay.sh" /usr/bin/python3 "$here/pivolo_e2e.py" "$@"
