#!/bin/sh
# Checks the package that build_test_package.sh made and unpacked in $1: it
# holds every file to install, depends on run-time packages only, and the
# programs unpacked from it answer --version (as version $2) and --help with
# no display at all.
set -eu
deb=$(ls "$1"/nexmar/build-release/nexmar_*.deb)
root=$1/root
version=$2

fail() {
    echo "$1"
    exit 1
}

contents=$(dpkg-deb -c "$deb")
echo "$contents"
for file in /usr/bin/nexmar /usr/bin/nexmar-cli /usr/share/applications/io.github.nexmar.Nexmar.desktop \
    /usr/share/icons/hicolor/32x32/apps/nexmar.png /usr/share/icons/hicolor/128x128/apps/nexmar.png \
    /usr/share/metainfo/io.github.nexmar.Nexmar.metainfo.xml /usr/share/mime/packages/io.github.nexmar.Nexmar.xml \
    /usr/share/man/man1/nexmar.1.gz \
    /usr/share/man/man1/nexmar-cli.1.gz /usr/share/bash-completion/completions/nexmar-cli \
    /usr/share/doc/nexmar/nexmar-run.schema.json /usr/share/doc/nexmar/copyright \
    /usr/share/doc/nexmar/changelog.Debian.gz; do
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

for program in nexmar nexmar-cli; do
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --version) ||
        fail "$program --version failed"
    [ "$answer" = "$program $version" ] || fail "$program --version says '$answer', not '$program $version'"
done
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/nexmar" --help | grep -q '^Usage: ' ||
    fail "nexmar --help without a display gave no usage"
