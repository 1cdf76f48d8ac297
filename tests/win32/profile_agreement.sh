#!/usr/bin/env bash
# Runs profile-agreement.exe under Wine: the settings store and Windows'
# private-profile functions must agree on its table of cases.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
wine_run "$1" 2>/dev/null | tr -d '\r'
