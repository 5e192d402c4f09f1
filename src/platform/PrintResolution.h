#pragma once

namespace custodex {

// Every printout (paper, PDF or pictures) is laid out at 150 dots per inch: the layouts draw in
// pixels, and their one- and two-pixel lines would be hairlines at a printer's 1200 dots per
// inch. Text stays text.
inline constexpr int PrintoutDotsPerInch = 150;

} // namespace custodex
