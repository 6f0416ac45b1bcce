#!/bin/sh
# nexmar-cli ($1) with standard output that takes nothing: a full disk, or
# closed altogether. It must fail with status 1 and one line on standard
# error, and with standard output closed the reports must still be exactly
# those of an ordinary run, not hold the tree that was meant for it.
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
for args in --help --version "--seed 1 --tree --dir $scratch"; do
  err=$("$cli" $args 2>&1 >/dev/full); expect_refusal "$args >/dev/full" $? "$err"
done

mkdir "$scratch/closed" "$scratch/open"
args="--seed 1 --systems 50 --detail high --census"
err=$("$cli" $args --tree --dir "$scratch/closed" 2>&1 >&-); expect_refusal "--tree >&-" $? "$err"
"$cli" $args --dir "$scratch/open" || failed=1
for report in TNXT001 TNXH001; do
  cmp "$scratch/open/$report" "$scratch/closed/$report" || failed=1
done
exit $failed
