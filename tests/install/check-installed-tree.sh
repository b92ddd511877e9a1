#!/bin/sh
# Installs the build into a temporary prefix (never the real system) and checks the
# tree: every file where the desktop and udev look for it, each passing its validator.
#   check-installed-tree.sh <build folder>
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
    || { cat "$work/install.log" >&2; fail "cmake --install"; }
root="$work/root/usr"
id=example.veltrane.Tunemark

for f in bin/veltrane2-tunemark bin/veltrane2-tunemark-cli; do
    [ -x "$root/$f" ] || fail "$f missing or not executable"
done
for f in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg lib/udev/rules.d/70-veltrane2-tunemark.rules \
         share/doc/veltrane2-tunemark/copyright share/veltrane2-tunemark/Veltrane-2-firmware.bootloadable; do
    [ -s "$root/$f" ] || fail "$f missing or empty"
done
for size in 16 24 32 48 64 128 256 512; do
    png="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -s "$png" ] || fail "icon ${size}x${size} missing"
    # The PNG header's width and height must be the folder's size.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "icon in ${size}x${size} is $dims"
done

desktop="$root/share/applications/$id.desktop"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry does not name the icon $id"
grep -qx "Exec=veltrane2-tunemark" "$desktop" || fail "desktop entry does not start the program"
# X11's window class is the program's name (the app id names the launcher on Wayland).
grep -qx "StartupWMClass=veltrane2-tunemark" "$desktop" || fail "desktop entry does not name the window class"
metainfo="$root/share/metainfo/$id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launchable"
for product in 0D5E 0D5F 0D60 0D61; do
    grep -q "<modalias>usb:v16D0p${product}d\*</modalias>" "$metainfo" || fail "modalias for $product"
    grep -qi "ATTRS{idProduct}==\"$product\".*TAG+=\"uaccess\"" "$root/lib/udev/rules.d/70-veltrane2-tunemark.rules" \
        || fail "udev rule for $product without uaccess"
done
version=$("$root/bin/veltrane2-tunemark-cli" --version | awk '{print $2}')
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "SKIP desktop-file-validate: not installed (scripts/install-deps installs desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
else
    echo "SKIP appstreamcli: not installed (scripts/install-deps installs appstream)"
fi
echo "installed tree OK"
