#!/bin/sh
# Runs one fuzz target for ctest: run_seeded.sh SCRATCH FUZZER ARGS...
# SCRATCH, where the inputs found along the way go, is emptied first, so that
# every run starts from the checked-in corpus alone. Address-space
# randomisation is switched off for the fuzzer: even with a fixed seed,
# libFuzzer steers by values that carry addresses, such as the operands of
# pointer comparisons, and only a fixed layout makes two runs alike.
# The stack is held to 1 MB, the smallest a user's process may be given, so
# that a recursion on the input's size fails here rather than there.
scratch=$1
shift
ulimit -s 1024 || exit 1
rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
if setarch -R true 2>/dev/null; then
  exec setarch -R "$@"
fi
echo "run_seeded.sh: address-space randomisation cannot be switched off here; this run may differ from others" >&2
exec "$@"
