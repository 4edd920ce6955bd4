# Sources of src/reports (see src/CMakeLists.txt for the libraries).
