#pragma once

namespace custodex {

// True when the command line asks for --help, --help-all or --version (or -h, -v) before a
// "--". The desktop programs answer those on the terminal before they connect to a display,
// so they work over ssh and in scripts.
bool AsksForHelpOrVersion(int argc, char* argv[]);

} // namespace custodex
