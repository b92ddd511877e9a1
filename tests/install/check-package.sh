#!/bin/sh
# Builds the .deb with CPack into a temporary folder and checks its file list, its
# computed dependencies, its maintainer scripts and lintian's verdict (errors only).
#   check-package.sh <build folder>
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# As the README says: cpack in the build folder.
(cd "$build" && cpack -B "$work") >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/*.deb)
[ -f "$deb" ] || fail "no .deb made"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' | sort >"$work/files"
id=example.veltrane.Tunemark
sizes="16 24 32 48 64 128 256 512"
{
    echo /usr/bin/veltrane2-tunemark
    echo /usr/bin/veltrane2-tunemark-cli
    echo /usr/lib/udev/rules.d/70-veltrane2-tunemark.rules
    echo /usr/share/applications/$id.desktop
    echo /usr/share/doc/veltrane2-tunemark/changelog.gz
    echo /usr/share/doc/veltrane2-tunemark/copyright
    for size in $sizes; do echo "/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
    echo /usr/share/icons/hicolor/scalable/apps/$id.svg
    echo /usr/share/metainfo/$id.metainfo.xml
    echo /usr/share/veltrane2-tunemark/Veltrane-2-firmware.bootloadable
} | sort >"$work/expected"
# Translations may be added; nothing else may appear.
grep -v '^/usr/share/veltrane2-tunemark/translations/veltranetuner_[a-zA-Z_]*\.qm$' "$work/files" >"$work/rest" || true
diff -u "$work/expected" "$work/rest" || fail "package file list differs"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libhidapi-hidraw0 libqt5widgets5 libqt5core5a libc6 qttranslations5-l10n; do
    echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib (shlibdeps): $depends"
done
dpkg-deb -e "$deb" "$work/control"
grep -q "udevadm control --reload-rules" "$work/control/postinst" || fail "postinst does not reload udev rules"
[ -x "$work/control/postinst" ] || fail "postinst not executable"

if command -v lintian >/dev/null; then
    # Errors fail; warnings (no man page, an unusual section) are for the packager to weigh.
    lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
else
    echo "SKIP lintian: not installed (scripts/install-deps installs it)"
fi
echo "package OK: $(basename "$deb")"
