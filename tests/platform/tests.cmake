# Tests of this area (see tests/CMakeLists.txt).
