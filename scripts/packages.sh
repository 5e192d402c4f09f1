# Debian packages the build, the program and the tests need.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libjpeg62-turbo-dev fonts-liberation)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool)
