#!/bin/sh
# Packs the build tree with cpack ($1) and its configuration ($2) into a
# scratch folder ($3), then checks the .deb: it holds every file to install,
# depends on run-time packages only, and the programs unpacked from it answer
# --version (as version $4) and --help with no display at all.
set -eu
cpack=$1 config=$2 scratch=$3 version=$4

fail() {
    echo "$1"
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB --config "$config" -B "$scratch" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/nexmar_*.deb)

contents=$(dpkg-deb -c "$deb")
echo "$contents"
for file in /usr/bin/nexmar /usr/bin/nexmar-cli /usr/share/applications/io.github.nexmar.Nexmar.desktop \
    /usr/share/icons/hicolor/32x32/apps/nexmar.png /usr/share/icons/hicolor/128x128/apps/nexmar.png \
    /usr/share/metainfo/io.github.nexmar.Nexmar.metainfo.xml /usr/share/man/man1/nexmar.1.gz \
    /usr/share/man/man1/nexmar-cli.1.gz /usr/share/bash-completion/completions/nexmar-cli \
    /usr/share/doc/nexmar/nexmar-run.schema.json; do
    printf '%s\n' "$contents" | grep -q "^-.* \.$file\$" || fail "the package lacks $file"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
case "$depends" in
*libqt6widgets6*) ;;
*) fail "Depends does not name the Qt Widgets library" ;;
esac
if printf '%s\n' "$depends" | tr ',' '\n' | grep -E -e '-dev( |$)' -e '^ *(gcc|g\+\+|cpp|cmake)'; then
    fail "Depends names a build package"
fi

dpkg-deb -x "$deb" "$scratch/root"
for program in nexmar nexmar-cli; do
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/root/usr/bin/$program" --version) ||
        fail "$program --version failed"
    [ "$answer" = "$program $version" ] || fail "$program --version says '$answer', not '$program $version'"
done
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/root/usr/bin/nexmar" --help | grep -q '^Usage: ' ||
    fail "nexmar --help without a display gave no usage"
