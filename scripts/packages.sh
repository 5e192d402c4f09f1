# Debian packages the build, the program and the tests need.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libjpeg62-turbo-dev libfontconfig-dev fonts-liberation
    libical-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool
    desktop-file-utils appstream x11-utils cups printer-driver-cups-pdf poppler-utils
    at-spi2-core python3-pyatspi dbus-daemon)
# scripts/build-deb.sh: the package build (shlibdeps needs dpkg-dev and file) and its checks.
PACKAGE_PACKAGES=(dpkg-dev file lintian)
# scripts/make-icons.sh: renders the icon sizes from the SVG.
ICON_PACKAGES=(librsvg2-bin)
# scripts/check-style.sh (format-check, tidy-check): not needed for the build or the tests.
STYLE_PACKAGES=(clang-format clang-tidy)
