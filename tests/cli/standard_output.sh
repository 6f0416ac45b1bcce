#!/bin/sh
# nexmar-cli ($1) with standard output that takes nothing: a full disk, or
# closed altogether. It must fail with status 1 and one line on standard
# error, and a run must replace no file, as when the reader of a pipe goes
# away: standard output is written whole before any file takes its name.
cli=$1
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
failed=0
expect_refusal() {  # description, status, standard error
  lines=$(printf '%s\n' "$3" | wc -l)
  if [ "$2" -ne 1 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$3" | grep -q 'could not write to standard output'; then
    echo "$1: status $2, standard error:"; printf '%s\n' "$3"; failed=1
  fi
}
mkdir "$scratch/full" "$scratch/closed"
for args in --help --version "--seed 1 --tree --dir $scratch/full"; do
  err=$("$cli" $args 2>&1 >/dev/full); expect_refusal "$args >/dev/full" $? "$err"
done

args="--seed 1 --systems 50 --detail high --census"
err=$("$cli" $args --tree --dir "$scratch/closed" 2>&1 >&-); expect_refusal "--tree >&-" $? "$err"
for folder in full closed; do
  if [ -n "$(ls -A "$scratch/$folder")" ]; then
    echo "standard output failed, yet $folder holds: $(ls -A "$scratch/$folder")"; failed=1
  fi
done

# An output that names a stream writes to it as the shell left it: appended
# after the lines a >> redirect keeps, into a descriptor the shell opened,
# into a FIFO; never a file renamed over the one the redirect opened.
run="--systems 3 --seed 1 --detail high"
mkdir "$scratch/runs"
for option in --json --stats-json --svg-sheet --handout; do
  "$cli" $run --dir "$scratch/runs" $option "$scratch/expected.svg" || failed=1
  for name in - /dev/stdout /dev/fd/1 /proc/self/fd/1 /dev/fd/3 /proc/self/fd/3 fifo; do
    printf 'precious\n' > "$scratch/log.txt"
    case $name in
      */3) "$cli" $run --dir "$scratch/runs" $option $name 3>> "$scratch/log.txt"; status=$? ;;
      fifo) rm -f "$scratch/fifo"; mkfifo "$scratch/fifo"
            cat "$scratch/fifo" >> "$scratch/log.txt" & reader=$!
            "$cli" $run --dir "$scratch/runs" $option "$scratch/fifo"; status=$?; wait $reader ;;
      *) "$cli" $run --dir "$scratch/runs" $option $name >> "$scratch/log.txt"; status=$? ;;
    esac
    { printf 'precious\n'; cat "$scratch/expected.svg"; } | cmp -s - "$scratch/log.txt" ||
      { echo "$option $name >> log.txt: status $status, the log is not the earlier line and the output"; failed=1; }
  done
  # Beside the tree, standard output takes no other output, whatever its name.
  for name in - /dev/stdout /proc/self/fd/1; do
    : > "$scratch/tree.txt"
    err=$("$cli" $run --dir "$scratch/runs" --tree $option $name 2>&1 > "$scratch/tree.txt"); status=$?
    if [ $status -ne 2 ] || [ -s "$scratch/tree.txt" ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ] ||
       ! printf '%s' "$err" | grep -q 'cannot share standard output'; then
      echo "--tree $option $name > tree.txt: status $status, standard error: $err"; failed=1
    fi
  done
done
[ -e ./- ] || [ -e "$scratch/runs/-" ] && { echo "an output to - made a file named -"; failed=1; }
exit $failed
