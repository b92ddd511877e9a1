#!/bin/sh
# Regenerates the built-in images from their SVG sources in resources/:
# the window icon (multi-size .ico), the theme's arrows, the main window's tab
# icons, the warning sign, the built-in steering wheel picture (.png) and the
# launcher icon in the hicolor sizes.
# Needs a C++ compiler and Qt 5 Svg development files; the build itself does not.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
c++ -std=c++17 -fPIC -O1 -o "$work/render-assets" "$root/scripts/render-assets.cpp" \
    $(pkg-config --cflags --libs Qt5Svg Qt5Gui)

render() { QT_QPA_PLATFORM=offscreen "$work/render-assets" "$@" 2>/dev/null; }
res="$root/resources"
render ico "$res/graphics2/veltrane2.svg" "$res/graphics2/veltrane2.ico"
for arrow in arrow_up arrow_down; do
    render png "$res/style_dark/$arrow.svg" "$res/style_dark/$arrow.png" 12
    # Disabled controls draw their arrows in the theme's muted grey.
    render png "$res/style_dark/$arrow.svg" "$res/style_dark/${arrow}_disabled.png" 12 '#5d7a80'
done
# Tab icons at twice their shown size, so they stay sharp on high-density screens.
for icon in overview wireless profiles hardware advanced; do
    render png "$res/graphics2/icons/$icon.svg" "$res/graphics2/icons/$icon.png" 80
done
render png "$res/graphics2/warning.svg" "$res/graphics2/warning.png" 64
# The wheel picture must be exactly 400 x 400: other sizes are rejected when loaded.
render png "$res/graphics2/veltrane2_gui_wheel_1.svg" "$res/graphics2/veltrane2_gui_wheel_1_400px.png" 400
# The firmware wizard picture, wider than high.
render png "$res/graphics2/hl_veltrane.svg" "$res/graphics2/hl_veltrane_400px.png" 400x160
# The launcher icon in the hicolor theme's usual sizes (the SVG itself is the scalable one).
for size in 16 24 32 48 64 128 256 512; do
    mkdir -p "$res/linux/icons/${size}x${size}"
    render png "$res/graphics2/veltrane2.svg" "$res/linux/icons/${size}x${size}/example.veltrane.Tunemark.png" "$size"
done
