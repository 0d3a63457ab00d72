#include "cli/gb18030_table.h"

namespace screencalc::gb18030 {

// Data, not code: written by make_gb18030_table.py from Python's codec.
#include "cli/gb18030_table.inc"

} // namespace screencalc::gb18030
