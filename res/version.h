// The program's version. The version resource, the version box and the
// package's name (CMake reads QS_VERSION_TEXT from here) all take it from
// these lines, so a release changes only them.
#pragma once

#define QS_VERSION_MAJOR 1
#define QS_VERSION_MINOR 80
#define QS_VERSION_TEXT "1.80"
