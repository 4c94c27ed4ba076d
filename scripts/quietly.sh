# Sourced by the other scripts.
# quietly WHAT LOG COMMAND...: runs COMMAND with its output in LOG and says
# only WHAT; the whole log comes out only when the command fails.
quietly() {
  local what=$1 log=$2
  shift 2
  mkdir -p "$(dirname "$log")"
  echo "$what"
  if ! "$@" >"$log" 2>&1; then
    cat "$log"
    echo "$what failed; the log above is also in $log" >&2
    return 1
  fi
}
